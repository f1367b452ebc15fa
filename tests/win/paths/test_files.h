#pragma once
// Test-side file helpers. They go through the wide-character functions with
// the "\\?\" prefix, which take paths of any length, so that fixtures can be
// built and checked independently of the ANSI helpers under test and of the
// ANSI functions' own length limit.
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace testfiles {

inline std::wstring Wide(const std::string& s)
{
    const int n = ::MultiByteToWideChar(CP_ACP, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, s.c_str(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

inline std::string Narrow(const std::wstring& w)
{
    const int n = ::WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

// An absolute ANSI path in the form the wide functions take at any length.
inline std::wstring Long(const std::string& path)
{
    return L"\\\\?\\" + Wide(path);
}

inline bool Exists(const std::string& path)
{
    return ::GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool IsDir(const std::string& path)
{
    const DWORD a = ::GetFileAttributesW(Long(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

inline void MakeDir(const std::string& path)
{
    ASSERT_TRUE(::CreateDirectoryW(Long(path).c_str(), nullptr))
        << path << " error " << ::GetLastError();
}

inline void MakeFile(const std::string& path, const std::string& content = "x")
{
    HANDLE h = ::CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << path << " error " << ::GetLastError();
    DWORD written = 0;
    ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(h);
}

// Creates the entries below root; a name ending in "\" is a directory.
// Parents come before their children in the list.
inline void MakeTree(const std::string& root, const std::vector<std::string>& entries)
{
    for (const std::string& e : entries) {
        if (!e.empty() && e.back() == '\\')
            MakeDir(root + "\\" + e.substr(0, e.size() - 1));
        else
            MakeFile(root + "\\" + e);
    }
}

// Every entry below root, relative to it, sorted; directories end in "\".
inline void ListInto(const std::string& root, const std::string& prefix, std::vector<std::string>& out,
                     bool recurse = true)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((Long(root) + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::string rel = prefix + Narrow(name);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.push_back(rel + "\\");
            if (recurse)
                ListInto(root + "\\" + Narrow(name), rel + "\\", out);
        } else {
            out.push_back(rel);
        }
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
}

inline std::vector<std::string> ListTree(const std::string& root)
{
    std::vector<std::string> out;
    ListInto(root, "", out);
    std::sort(out.begin(), out.end());
    return out;
}

// The entries of root itself, sorted; directories end in "\".
inline std::vector<std::string> ListDir(const std::string& root)
{
    std::vector<std::string> out;
    ListInto(root, "", out, false);
    std::sort(out.begin(), out.end());
    return out;
}

// A fresh directory C:\<suite>_<test> for the running test.
inline std::string FreshTestDir()
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("C:\\") + info->test_suite_name() + "_" + info->name();
    std::replace(name.begin() + 3, name.end(), '/', '_');   // parameterised names
    MakeDir(name);
    return name;
}

// Extends dir with components of `component` until the path is at least
// `length` bytes long; the result may exceed it by less than one component.
inline std::string DeepPath(std::string dir, std::size_t length, const std::string& component)
{
    while (dir.size() < length)
        dir += "\\" + component;
    return dir;
}

// dir + "\" + a name padded with 'n' so that the whole path is exactly
// `length` bytes, ending in `suffix`.
inline std::string PathOfLength(const std::string& dir, std::size_t length, const std::string& suffix)
{
    const std::size_t fixed = dir.size() + 1 + suffix.size();
    return dir + "\\" + std::string(length > fixed ? length - fixed : 1, 'n') + suffix;
}

// Creates every missing directory of an absolute path, any length. Steps
// over double-byte characters, whose second byte may be 0x5C.
inline void MakeDirs(const std::string& path)
{
    std::size_t i = 3;
    while (i <= path.size()) {
        if (i == path.size() || path[i] == '\\') {
            const std::string prefix = path.substr(0, i);
            if (!IsDir(prefix))
                MakeDir(prefix);
            ++i;
        } else {
            i += ::IsDBCSLeadByte(static_cast<BYTE>(path[i])) ? 2 : 1;
        }
    }
}

} // namespace testfiles
