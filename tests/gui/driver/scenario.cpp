#include "scenario.h"

#include <windows.h>

#include "platform/handles.h"
#include "output.h"

namespace {
bool ToAnsi(const std::wstring& w, std::string& out)
{
    out.clear();
    if (w.empty())
        return true;
    BOOL lossy = FALSE;
    int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()),
                                  nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy)
        return false;
    out.assign(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), &out[0],
                          n, nullptr, &lossy);
    return !lossy;
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == 0x3000;  // 0x3000: ideographic space
}
}  // namespace

bool TokenizeLine(const std::wstring& line, std::vector<CToken>& tokens, std::string& error)
{
    tokens.clear();
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == L'#')
            break;
        std::wstring text;
        CToken token;
        if (line[i] == L'"') {
            token.bQuoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                wchar_t c = line[i++];
                if (c == L'"') {
                    if (i < n && line[i] == L'"') {
                        text += L'"';
                        ++i;
                        continue;
                    }
                    closed = true;
                    break;
                }
                if (c == L'^') {
                    if (i >= n) {
                        error = "a ^ at the end of the line";
                        return false;
                    }
                    wchar_t e = line[i++];
                    switch (e) {
                    case L'n': text += L'\n'; break;
                    case L'r': text += L'\r'; break;
                    case L't': text += L'\t'; break;
                    case L'b': text += L'\b'; break;
                    case L'^': text += L'^'; break;
                    default:
                        error = "unknown escape ^" + ToUtf8(std::string(1, static_cast<char>(e)));
                        return false;
                    }
                    continue;
                }
                text += c;
            }
            if (!closed) {
                error = "a quoted text is not closed";
                return false;
            }
            if (i < n && !IsBlank(line[i]) && line[i] != L'#') {
                error = "a quoted text must be followed by a blank";
                return false;
            }
        } else {
            while (i < n && !IsBlank(line[i]))
                text += line[i++];
        }
        if (!ToAnsi(text, token.strText)) {
            error = "the text has characters that the ANSI code page cannot show";
            return false;
        }
        tokens.push_back(token);
    }
    return true;
}

bool ReadScenario(const std::string& path, std::vector<CStep>& steps, std::string& error,
                  int& errorLine)
{
    errorLine = 0;
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    if (!file) {
        error = Format("cannot open it (error %lu)", ::GetLastError());
        return false;
    }
    std::string bytes;
    char buf[4096];
    DWORD got = 0;
    while (::ReadFile(file.Get(), buf, sizeof buf, &got, nullptr) && got > 0)
        bytes.append(buf, got);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);

    steps.clear();
    int lineNo = 0;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        std::string raw = bytes.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();

        std::wstring wide;
        if (!raw.empty()) {
            int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, raw.data(),
                                          static_cast<int>(raw.size()), nullptr, 0);
            if (n <= 0) {
                error = "not UTF-8";
                errorLine = lineNo;
                return false;
            }
            wide.assign(static_cast<size_t>(n), L'\0');
            ::MultiByteToWideChar(CP_UTF8, 0, raw.data(), static_cast<int>(raw.size()), &wide[0], n);
        }
        CStep step;
        step.nLine = lineNo;
        step.strSource = raw;
        std::string lineError;
        if (!TokenizeLine(wide, step.tokens, lineError)) {
            error = lineError + ": " + raw;
            errorLine = lineNo;
            return false;
        }
        if (!step.tokens.empty())
            steps.push_back(step);
    }
    return true;
}
