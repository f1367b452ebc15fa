#pragma once
// Shared by the path helpers that ask Windows for a string of unknown length.
#include <windows.h>
#include <string>

// Calls a Windows function of the GetWindowsDirectoryA kind: (buffer, size)
// giving the length copied, the size needed when the buffer is too small, or
// 0 on failure. The usual 260 bytes are tried first; a longer value gets the
// buffer it asks for instead of being cut off.
template <typename Fetch>
std::string FetchPath(Fetch fetch)
{
    std::string buf(MAX_PATH, '\0');
    for (;;) {
        const UINT n = fetch(&buf[0], static_cast<UINT>(buf.size()));
        if (n == 0)
            return std::string();
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        buf.resize(n);   // n counts the terminating NUL here
    }
}
