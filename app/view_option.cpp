#include "app/view_option.h"

#include <QCoreApplication>

#include "core/views/watch_list_file.h"

namespace kivrel {

std::optional<TView> ViewOption(const TCommandLine& commandLine, const std::string& name, const TWatchLists& lists,
                                int& status) {
  if (std::optional<TView> view = FindView(lists, name)) return view;
  QStringList known;
  for (const std::string& known1 : KnownViewNames(lists)) known << QString::fromStdString(known1);
  status = commandLine.Fail(QCoreApplication::translate("Kivrel", "No view is named '%1'. The views are: %2.")
                                .arg(QString::fromStdString(name), known.join(", ")));
  return std::nullopt;
}

TWatchLists WatchListsOf(const std::string& path) {
  try {
    TWatchListFile file(path);
    return file.Load().Lists;
  } catch (const FileError&) {
    return {};
  }
}

}  // namespace kivrel
