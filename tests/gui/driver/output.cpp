#include "output.h"

#include <windows.h>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {
std::wstring Widen(UINT codePage, const std::string& s)
{
    if (s.empty())
        return std::wstring();
    int n = ::MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::string Narrow(UINT codePage, const std::wstring& w)
{
    if (w.empty())
        return std::string();
    int n = ::WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                  nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr,
                          nullptr);
    return s;
}
}  // namespace

std::string ToUtf8(const std::string& ansi)
{
    return Narrow(CP_UTF8, Widen(CP_ACP, ansi));
}

std::string Quote(const std::string& ansi)
{
    std::string out = "\"";
    for (char c : ToUtf8(ansi)) {
        switch (c) {
        case '"': out += "\"\""; break;
        case '\n': out += "^n"; break;
        case '\r': out += "^r"; break;
        case '\t': out += "^t"; break;
        case '^': out += "^^"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                out += Format("^x%02X", static_cast<unsigned char>(c));
            else
                out += c;
        }
    }
    return out + "\"";
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string s;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, again);
        s.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(again);
    return s;
}

void PrintLine(const std::string& utf8)
{
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(out, &mode)) {
        std::wstring w = Widen(CP_UTF8, utf8 + "\r\n");
        ::WriteConsoleW(out, w.data(), static_cast<DWORD>(w.size()), &written, nullptr);
    } else {
        std::string line = utf8 + "\n";
        ::WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
}
