#pragma once

namespace kivrel {

// Maps the program's font names to fonts Debian ships, so the board looks
// the same on every machine: 標楷體 to AR PL UKai TW, ARIAL and MS Sans Serif
// to Liberation Sans. The window's own texts (menu, dialogs, status bar)
// are Liberation Sans at 12 points, with the Traditional Chinese Ming face
// AR PL UMing TW for Chinese characters, not whatever face the system picks
// for them (often a mainland one).
void InstallFontSubstitutions();

}  // namespace kivrel
