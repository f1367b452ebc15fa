#pragma once
// Deleting files at the next restart on Windows 95: WININIT.INI in the
// Windows directory, section [rename], one line "NUL=path" per file. Before
// Windows starts its graphical part, WININIT.EXE works through the section
// and then renames the file to WININIT.BAK. The section has one key, "NUL",
// many times, which the private-profile functions cannot write (they would
// replace the one line), so the text is edited here. The paths must be short
// (8.3) names: WININIT runs before long names are available. No Windows API.
#include <string>
#include <vector>

// The text of WININIT.INI ("" when there is none) with a "NUL=" line for each
// path at the end of the first [rename] section (letter case ignored), or in
// a new [rename] section at the end. The other lines stay as they are.
std::string AddWininitDeletions(const std::string& text, const std::vector<std::string>& paths);
