#pragma once

namespace kivrel {

// Maps the program's font names to fonts Debian ships, so the board looks
// the same on every machine: 標楷體 to AR PL UKai TW, ARIAL and MS Sans Serif
// to Liberation Sans.
void InstallFontSubstitutions();

}  // namespace kivrel
