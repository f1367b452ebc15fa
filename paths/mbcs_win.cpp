#include "paths/mbcs.h"

#include <windows.h>

// The system's ANSI code page decides which bytes start a double-byte
// character, as for every other ANSI string the installer gets from Windows.
bool IsLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != FALSE;
}
