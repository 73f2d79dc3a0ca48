#pragma once
// The --view option of the board and of the CSV export: a view named as the
// panel names it, checked before anything is created.

#include <optional>
#include <string>

#include "app/command_line/command_line.h"
#include "core/views/view_catalogue.h"

namespace kivrel {

// The view `name` (UTF-8) names among the fixed views and `lists`. An unknown
// name prints the problem, the known names and the usage (exit status 2 in
// `status`).
std::optional<TView> ViewOption(const TCommandLine& commandLine, const std::string& name, const TWatchLists& lists,
                                int& status);

// The watch lists of the file at `path` as the options need them: none when
// the file is missing or cannot be read (the board says why later).
TWatchLists WatchListsOf(const std::string& path);

}  // namespace kivrel
