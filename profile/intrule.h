#pragma once
#include <cstdint>
#include <string>

// The integer rule of setup scripts: skip leading white space (space, tab,
// LF, VT, FF, CR), one optional sign, then decimal digits up to the first
// non-digit. No digits give 0; overflow wraps in 32 bits; "0x10" gives 0.
int32_t ParseScriptInt(const std::string& text);
