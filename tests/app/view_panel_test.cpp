// The view panel without a window: choosing by click and by keys, figures
// kept across a refresh, and the context menu's list actions.
#include "app/view_panel.h"

#include <QTest>

#include <gtest/gtest.h>

#include "core/store/stock_store.h"
#include "support/stocks.h"
#include "support/store_stocks.h"

namespace kivrel {
namespace {

// Answers the dialogs from a script.
class ScriptedPanel : public TViewPanel {
 public:
  using TViewPanel::TViewPanel;
  QStringList names;  // the answers to the name dialogs; an empty one cancels
  bool confirm = false;
  QStringList warnings;

 protected:
  std::optional<QString> AskListName(const QString&, const QString&) override {
    const QString name = names.takeFirst();
    return name.isEmpty() ? std::nullopt : std::optional(name);
  }
  bool ConfirmDelete(const QString&) override { return confirm; }
  void Warn(const QString& message) override { warnings << message; }
};

struct PanelTest : ::testing::Test {
  PanelTest() {
    for (const testing::Quote& q : {testing::Quote{.Code = "1101", .Last = 10.5F}, {.Code = "1102", .Last = 9.9F}}) {
      testing::StoreRecord(*store, testing::Record(q));
    }
    lists.Create("A");
    lists.AddCode(0, "1101");
    panel.Refresh(SummarizeViews(*store, lists));
    QObject::connect(&panel, &TViewPanel::ViewChosen, [this](TView view) { chosen.push_back(view); });
    QObject::connect(&panel, &TViewPanel::ListsChanged, [this] { ++changes; });
    panel.resize(300, 900);
    panel.show();
  }
  QStringList Texts(const TView& view) const {
    QStringList texts;
    for (int col = 0; col < TViewPanel::colCount; ++col) texts << panel.ItemOf(view)->text(col);
    return texts;
  }

  TStockListPtr store = NewStockList();
  TWatchLists lists;
  ScriptedPanel panel{lists};
  std::vector<TView> chosen;
  int changes = 0;
};

TEST_F(PanelTest, ChoosingByClickAndKeys) {
  EXPECT_EQ(Texts(CategoryView(0, 0)), (QStringList{"\u6c34\u6ce5", "2", "1", "1", "+2.00"}));
  EXPECT_EQ(Texts(MarketView(0)), (QStringList{"\u4e0a\u5e02", "2", "1", "1", ""}));
  EXPECT_EQ(panel.ItemOf(CategoryView(0, 0))->foreground(TViewPanel::colAverage).color(), QColor(255, 0, 0));

  QTreeWidgetItem* cement = panel.ItemOf(CategoryView(0, 0));
  QTest::mouseClick(panel.viewport(), Qt::LeftButton, {}, panel.visualItemRect(cement).center());
  panel.setCurrentItem(panel.ItemOf(AllView()));
  QTest::keyClick(&panel, Qt::Key_Down);
  QTest::keyClick(&panel, Qt::Key_Return);
  EXPECT_EQ(chosen, (std::vector{CategoryView(0, 0), WatchListView(0)}));

  StockAt(*store, 1).Payload.SetLast(10.6F);  // an update: the counts change, the choice stays
  panel.Refresh(SummarizeViews(*store, lists));
  EXPECT_EQ(Texts(MarketView(0))[2], "2");
  EXPECT_TRUE(panel.ItemOf(WatchListView(0))->font(0).bold());
  EXPECT_FALSE(panel.ItemOf(CategoryView(0, 0))->font(0).bold());
  EXPECT_EQ(panel.currentItem(), panel.ItemOf(WatchListView(0)));

  panel.resize(panel.sizeHint());  // a category's name of six characters shows whole
  EXPECT_GE(panel.columnWidth(TViewPanel::colName) - 2 * panel.indentation(),
            panel.fontMetrics().horizontalAdvance(QString(6, QChar(0x6C34))));
}

TEST_F(PanelTest, ContextMenuMakesRenamesAndDeletesLists) {
  EXPECT_EQ(panel.ContextMenu(panel.ItemOf(CategoryView(0, 0)))->actions().size(), 1);
  const auto act = [&](const TView& on, int action) {
    panel.ContextMenu(panel.ItemOf(on))->actions().at(action)->trigger();
  };
  panel.names = {"", "\u6c34\u6ce5", "B"};  // cancelled, a category's name, a good name
  for (int i = 0; i < 3; ++i) act(AllView(), 0);
  EXPECT_EQ(lists.Count(), 2);
  EXPECT_EQ(chosen, std::vector{WatchListView(1)});
  EXPECT_EQ(lists.Current(), 1);  // Insert now adds to it

  panel.names = {"A", "C"};
  act(WatchListView(1), 1);
  act(WatchListView(1), 1);
  EXPECT_EQ(panel.warnings.size(), 2);
  EXPECT_EQ(Texts(WatchListView(1))[0], "C");

  act(WatchListView(0), 2);  // not confirmed
  panel.confirm = true;
  act(WatchListView(0), 2);  // the chosen list C moves up and stays chosen
  EXPECT_EQ(lists.Count(), 1);
  EXPECT_EQ(panel.Chosen(), WatchListView(0));
  act(WatchListView(0), 2);
  EXPECT_EQ(chosen.back(), AllView());
  EXPECT_EQ(changes, 4);
}

}  // namespace
}  // namespace kivrel
