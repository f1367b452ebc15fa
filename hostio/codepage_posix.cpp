#include "hostio/codepage.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <clocale>
#include <langinfo.h>
#include <strings.h>

namespace {

bool Convert(const char* to, const char* from, const std::string& in, std::string& out, bool lossy)
{
    out.clear();
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string input = in;
    char* src = input.empty() ? nullptr : &input[0];
    std::size_t left = input.size();
    bool ok = true;
    char buffer[4096];
    while (left > 0) {
        char* dst = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t r = ::iconv(cd, &src, &left, &dst, &room);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = false;
            if (!lossy)
                break;
            out += "\xEF\xBF\xBD";   // U+FFFD for the byte that does not convert
            ++src;
            --left;
        }
    }
    ::iconv_close(cd);
    return ok;
}

}  // namespace

const char kHostSeparator[] = "/";

bool IsHostSeparator(char c)
{
    return c == '/';
}

bool Utf8ToCp932(const std::string& utf8, std::string& cp932)
{
    return Convert("CP932", "UTF-8", utf8, cp932, false);
}

std::string Cp932ToUtf8(const std::string& cp932)
{
    std::string utf8;
    Convert("UTF-8", "CP932", cp932, utf8, true);
    return utf8;
}

bool LooksLikeUtf8(const std::string& bytes)
{
    bool beyondAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > bytes.size() || (n == 2 && c < 0xC2))
            return false;
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        }
        beyondAscii = beyondAscii || n > 1;
        i += n;
    }
    return beyondAscii;
}

std::string ToHostPath(const std::string& cp932Path)
{
    std::string utf8 = Cp932ToUtf8(cp932Path);
    for (char& c : utf8) {
        if (c == '\\')
            c = '/';
    }
    return utf8;
}

bool HostNameToCp932(const std::string& hostName, std::string& cp932)
{
    return Utf8ToCp932(hostName, cp932);
}

bool HostPrefersJapanese()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::strncmp(value, "ja", 2) == 0;
    }
    return false;
}

std::string ForConsole(const std::string& cp932)
{
    // Build machines speak UTF-8 unless their locale says Shift-JIS.
    static const bool shiftJis = [] {
        std::setlocale(LC_CTYPE, "");
        const char* codeset = ::nl_langinfo(CODESET);
        if (!codeset)
            return false;
        for (const char* name : {"SJIS", "SHIFT_JIS", "SHIFT-JIS", "CP932", "WINDOWS-31J"}) {
            if (::strcasecmp(codeset, name) == 0)
                return true;
        }
        return false;
    }();
    return shiftJis ? cp932 : Cp932ToUtf8(cp932);
}
