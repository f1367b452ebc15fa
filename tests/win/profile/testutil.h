#pragma once
// Scratch files, directories and registry keys of one test: every name is
// made from the running test's name and the process id, and everything is
// removed again when the object goes out of scope.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace testutil {

// "<suite>.<test>-<pid>-<n>", unique within the test run.
inline std::string UniqueName()
{
    static int counter = 0;
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "setup";
    for (char& c : name)
        if (c == '/')
            c = '_';
    return name + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << path << " error " << GetLastError();
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
    ASSERT_TRUE(ok && written == bytes.size()) << path;
}

// The whole file; "<missing>" when it cannot be read.
inline std::string ReadBytes(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(h, &bytes[0], DWORD(bytes.size()), &read, nullptr);
    CloseHandle(h);
    bytes.resize(read);
    return bytes;
}

inline bool FileExistsA(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A fresh directory below the temporary directory, removed with its files.
// `suffix` is appended to the unique name (e.g. Japanese text).
class CTempDir {
public:
    explicit CTempDir(const std::string& suffix = "")
    {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        m_path = std::string(tmp) + UniqueName() + suffix;
        EXPECT_TRUE(CreateDirectoryA(m_path.c_str(), nullptr)) << m_path;
    }
    ~CTempDir() { RemoveTree(m_path); }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    static void RemoveTree(const std::string& dir)
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = fd.cFileName;
                if (name == "." || name == "..")
                    continue;
                const std::string path = dir + "\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(dir.c_str());
    }

    std::string m_path;
};

// Deletes a registry key with all its subkeys.
inline void DeleteRegTree(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char name[1024];
        DWORD length = sizeof name;
        std::vector<std::string> children;
        for (DWORD i = 0; RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr,
                                        nullptr) == ERROR_SUCCESS;
             ++i, length = sizeof name)
            children.push_back(name);
        RegCloseKey(key);
        for (const std::string& child : children)
            DeleteRegTree(root, path + "\\" + child);
    }
    RegDeleteKeyA(root, path.c_str());
}

// A key path of this test's own below HKLM\SOFTWARE\SetupTests (not
// created here), deleted with everything below it at the end.
class CTempRegPath {
public:
    CTempRegPath() : m_path("SOFTWARE\\SetupTests\\" + UniqueName()) {}
    ~CTempRegPath() { DeleteRegTree(HKEY_LOCAL_MACHINE, m_path); }
    CTempRegPath(const CTempRegPath&) = delete;
    CTempRegPath& operator=(const CTempRegPath&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace testutil
