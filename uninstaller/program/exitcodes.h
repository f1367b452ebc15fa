#pragma once
// The uninstaller's exit codes (Windows does not look at them; tests do).
constexpr int kExitRemoved = 0;           // everything removed (some perhaps at the next restart)
constexpr int kExitNothingRemoved = 1;    // the log could not be carried out, or no product to remove
constexpr int kExitCancelled = 2;         // the user said no: nothing removed
constexpr int kExitItemsLeft = 3;         // removed, with items left that the report lists
