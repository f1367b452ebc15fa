#include "uninstaller/pathkey.h"

#include <cstddef>
#include <vector>


namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The names of a path between its separators, character-wise: the second
// byte of "表" (0x5C) separates nothing. '/' and '\' both separate ('/' is
// below 0x40 and never the second byte of a character).
std::vector<std::string> SplitNames(const std::string& s)
{
    std::vector<std::string> names(1);
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = CharLength(s, i);
        if (n == 1 && (s[i] == '\\' || s[i] == '/'))
            names.emplace_back();
        else
            names.back().append(s, i, n);
        i += n;
    }
    return names;
}

// Windows drops trailing dots and blanks of a name ("WINDOWS." is "WINDOWS").
// Double-byte characters are kept whole: a trail byte is never a dot or blank
// in Shift-JIS, but the scan does not rely on it.
std::string TrimNameEnd(const std::string& name)
{
    std::size_t keep = 0;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t n = CharLength(name, i);
        if (n == 2 || (name[i] != '.' && name[i] != ' '))
            keep = i + n;
        i += n;
    }
    return name.substr(0, keep);
}

struct CSplitPath {
    std::string m_strRoot;              // "C:\", "C:", "\", "\\server\share" or ""
    std::vector<std::string> m_names;   // below the root, "." and ".." applied
    bool m_bValid = true;
};

CSplitPath Split(const std::string& path)
{
    CSplitPath result;
    std::vector<std::string> names = SplitNames(path);
    std::size_t first = 0;
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
        // "C:\..." or drive-relative "C:..."; the drive letter is the first name's start.
        const bool rooted = path.size() >= 3 && (path[2] == '\\' || path[2] == '/');
        result.m_strRoot = path.substr(0, 2) + (rooted ? "\\" : "");
        names[0].erase(0, 2);
        if (rooted)
            first = 1;        // names[0] is "" (nothing between "C:" and "\")
    } else if (names.size() >= 3 && names[0].empty() && names[1].empty()) {
        // "\\server\share\...": the server and the share make the root.
        if (names[2] == "?" || names[2] == "." || names.size() < 4 || names[2].empty() ||
            names[3].empty()) {
            result.m_bValid = false;
            return result;
        }
        result.m_strRoot = "\\\\" + names[2] + "\\" + names[3];
        first = 4;
    } else if (!names.empty() && names[0].empty() && names.size() > 1) {
        result.m_strRoot = "\\";
        first = 1;
    }
    for (std::size_t i = first; i < names.size(); ++i) {
        const std::string& raw = names[i];
        if (raw.empty() || raw == ".")
            continue;
        if (raw == "..") {
            if (result.m_names.empty()) {
                result.m_bValid = false;
                return result;
            }
            result.m_names.pop_back();
            continue;
        }
        std::string name = TrimNameEnd(raw);
        if (name.empty()) {
            result.m_bValid = false;
            return result;
        }
        result.m_names.push_back(name);
    }
    return result;
}

std::string Join(const CSplitPath& p)
{
    std::string out = p.m_strRoot;
    for (const std::string& name : p.m_names) {
        if (!out.empty() && out.back() != '\\' && !(out.size() == 2 && out[1] == ':'))
            out += '\\';
        out += name;
    }
    return out;
}

}  // namespace

std::string NormalisePath(const std::string& path)
{
    if (path.empty())
        return std::string();
    const CSplitPath split = Split(path);
    return split.m_bValid ? Join(split) : std::string();
}

std::string PathKey(const std::string& path)
{
    return UpperAscii(NormalisePath(path));
}

bool SamePath(const std::string& a, const std::string& b)
{
    const std::string key = PathKey(a);
    return !key.empty() && key == PathKey(b);
}

bool IsFullPath(const std::string& path)
{
    if (path.empty())
        return false;
    const CSplitPath split = Split(path);
    if (!split.m_bValid)
        return false;
    const std::string& root = split.m_strRoot;
    return (root.size() == 3 && root[1] == ':') || root.compare(0, 2, "\\\\") == 0;
}

bool IsRootPath(const std::string& path)
{
    if (path.empty())
        return false;
    const CSplitPath split = Split(path);
    return split.m_bValid && !split.m_strRoot.empty() && split.m_names.empty();
}

std::string ParentPath(const std::string& path)
{
    CSplitPath split = Split(path);
    if (!split.m_bValid || split.m_names.empty())
        return std::string();
    split.m_names.pop_back();
    return Join(split);
}

std::string LastName(const std::string& path)
{
    const CSplitPath split = Split(path);
    return split.m_bValid && !split.m_names.empty() ? split.m_names.back() : std::string();
}

int PathDepth(const std::string& path)
{
    const CSplitPath split = Split(path);
    return split.m_bValid ? static_cast<int>(split.m_names.size()) : 0;
}
