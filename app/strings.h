#pragma once
// Texts of the program's string table.
#include <windows.h>
#include <string>

// The string resource `id` of the program, or "" when it has none.
std::string LoadResourceString(UINT id);
