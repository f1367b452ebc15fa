#include "hostio/codepage.h"

#include <windows.h>

namespace {

std::wstring Widen(UINT codePage, const std::string& text, DWORD flags, bool& ok)
{
    ok = true;
    if (text.empty())
        return std::wstring();
    const int n = ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) {
        ok = false;
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

std::string Narrow(UINT codePage, const std::wstring& wide, bool& ok)
{
    if (wide.empty())
        return std::string();
    BOOL lost = FALSE;
    BOOL* lostFlag = codePage == CP_UTF8 ? nullptr : &lost;
    const int n = ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                        nullptr, lostFlag);
    std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &text[0], n, nullptr,
                              lostFlag);
    ok = ok && n > 0 && !lost;
    return text;
}

}  // namespace

const char kHostSeparator[] = "\\";

bool IsHostSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool Utf8ToCp932(const std::string& utf8, std::string& cp932)
{
    bool ok = true;
    const std::wstring wide = Widen(CP_UTF8, utf8, MB_ERR_INVALID_CHARS, ok);
    cp932 = Narrow(932, wide, ok);
    return ok || utf8.empty();
}

std::string Cp932ToUtf8(const std::string& cp932)
{
    bool ok = true;
    return Narrow(CP_UTF8, Widen(932, cp932, 0, ok), ok);
}

bool LooksLikeUtf8(const std::string& bytes)
{
    bool beyondAscii = false;
    for (char c : bytes)
        beyondAscii = beyondAscii || static_cast<unsigned char>(c) >= 0x80;
    bool ok = true;
    Widen(CP_UTF8, bytes, MB_ERR_INVALID_CHARS, ok);
    return beyondAscii && ok;
}

std::string ToHostPath(const std::string& cp932Path)
{
    return cp932Path;   // the ANSI file functions take code page 932 names
}

bool HostNameToCp932(const std::string& hostName, std::string& cp932)
{
    cp932 = hostName;   // FindFirstFileA gives names in the ANSI code page
    return true;
}

bool HostPrefersJapanese()
{
    return PRIMARYLANGID(::GetUserDefaultLangID()) == LANG_JAPANESE || ::GetACP() == 932;
}

std::string ForConsole(const std::string& cp932)
{
    return ::GetConsoleOutputCP() == CP_UTF8 ? Cp932ToUtf8(cp932) : cp932;
}
