#pragma once

namespace kivrel {

// Maps the program's font names to fonts Debian ships, so the board looks
// the same on every machine: 標楷體 to AR PL UKai TW, ARIAL and MS Sans Serif
// to Liberation Sans. The window's own texts (menu, dialogs) take the
// Traditional Chinese Ming face AR PL UMing TW at 10 points, not whatever
// face the system picks for Chinese (often a mainland one).
void InstallFontSubstitutions();

}  // namespace kivrel
