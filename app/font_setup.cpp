#include "app/font_setup.h"

#include <QApplication>
#include <QFont>
#include <QStringList>

#include "app/big5_qt.h"
#include "core/text/fixed_texts.h"

namespace kivrel {

void InstallFontSubstitutions() {
  QFont::insertSubstitutions(ToQString(kChineseFontName), QStringList{"AR PL UKai TW", "AR PL UKai", "AR PL UMing TW"});
  QFont::insertSubstitutions("ARIAL", QStringList{"Liberation Sans", "Arial"});
  QFont::insertSubstitutions("MS Sans Serif", QStringList{"Liberation Sans"});

  QFont font = QApplication::font();
  font.setFamilies({"Liberation Sans", "AR PL UMing TW"});
  font.setPointSize(12);
  QApplication::setFont(font);
}

}  // namespace kivrel
