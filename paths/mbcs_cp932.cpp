#include "paths/mbcs.h"

// Native builds (tests, fuzzers, benchmarks) have no system code page to ask;
// they use the one the installer ships for: Shift-JIS, code page 932.
bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
