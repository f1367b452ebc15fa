#include "paths/fileutil.h"

#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "platform/handles.h"
#include "paths/fetchpath.h"
#include "paths/mbcs.h"
#include "paths/pathvars.h"

// Paths are kept in std::string throughout: no path is cut to fit a buffer of
// ours, and a path too long for the platform is refused by the platform call
// itself (ERROR_FILENAME_EXCED_RANGE), which these helpers report as FALSE.
// Under Windows NT and Wine that limit counts characters, so a Japanese path
// of more than 259 bytes works as long as it has fewer than 260 characters;
// a fixed buffer of 260 bytes would have refused or overrun it.

namespace {

// A name with neither drive nor directory: OpenFile, which the installer
// first used for existence tests, looks such a name up along the search path.
bool IsBareName(const std::string& path)
{
    // '/' and ':' are below 0x40 and so never the second byte of a Shift-JIS
    // character; the backslash can be, and is searched character-wise.
    return FindNextBackslash(path) == std::string::npos
        && path.find('/') == std::string::npos
        && path.find(':') == std::string::npos;
}

// The full path of a bare name found along the search path, or "".
std::string SearchAlongPath(const std::string& name)
{
    return FetchPath([&name](char* buf, UINT size) {
        char* filePart = nullptr;
        return ::SearchPathA(nullptr, name.c_str(), nullptr, size, buf, &filePart);
    });
}

bool IsExistingFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool HasTrailingBackslash(const std::string& path)
{
    // Character-wise: "表" ends in the byte 0x5C but is no separator.
    return !path.empty() && FindLastBackslash(path) == path.size() - 1;
}

// "", "\", "C:" and "C:\": no directory that could be removed, but the
// enumeration would run over the whole (current) drive.
bool IsEmptyOrDriveRoot(const std::string& dir)
{
    std::string d = dir;
    if (HasTrailingBackslash(d))
        d.resize(d.size() - 1);
    return d.empty() || (d.size() == 2 && d[1] == ':');
}

} // namespace

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The installer once asked OpenFile(OF_EXIST), which fails for every path of
// 128 characters or more (its OFSTRUCT holds no longer name): a deep source
// directory then looked like a missing source file. The file attributes have
// no such limit. A bare name keeps OpenFile's search along the path.
// A file that another program holds open without sharing still exists here,
// where OpenFile could not open it.
bool FileExists(const std::string& path)
{
    if (path.empty())
        return false;
    if (IsBareName(path)) {
        const std::string found = SearchAlongPath(path);
        return !found.empty() && IsExistingFile(found);
    }
    return IsExistingFile(path);
}

// Creates every missing directory from the top down. The scan for separators
// starts at byte 4 because the first four bytes ("C:\A") never end a prefix,
// so a drive root is never created; it goes character by character, so the
// second byte of a character such as "ソ" (0x83 0x5C) never cuts the path,
// even when it falls on byte 4 itself. A path of four bytes or fewer is
// taken whole: TRUE when it names a directory, otherwise it is created.
bool CreateDirectoryTree(const std::string& path, SECURITY_ATTRIBUTES* sa)
{
    return CreateDirectoryTree(path, sa, nullptr);
}

bool CreateDirectoryTree(const std::string& path, SECURITY_ATTRIBUTES* sa,
                         const std::function<void(const std::string&)>& created)
{
    SECURITY_ATTRIBUTES defaultAttributes = { sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE };
    if (!sa)
        sa = &defaultAttributes;

    std::size_t from = 4;
    for (;;) {
        const std::size_t slash = FindNextBackslash(path, from);
        const std::string prefix = slash == std::string::npos ? path : path.substr(0, slash);
        if (!IsDirectory(prefix)) {
            if (!::CreateDirectoryA(prefix.c_str(), sa))
                return false;
            if (created)
                created(prefix);
        }
        if (slash == std::string::npos)
            return true;
        from = slash + 1;
    }
}

// Names beginning with "." are passed over, which leaves not only "." and ".."
// but every dot-file in place; read-only files are not forced either. Either
// keeps the directory, and the result then is FALSE.
// An empty path or a drive root is refused before anything is deleted: a root
// can never be removed, so the only effect would be to empty a whole drive
// (for "", the root of the current drive), as when "$TmpDir$" was never set.
bool DeleteDirectoryTree(const std::string& dir)
{
    if (IsEmptyOrDriveRoot(dir))
        return false;

    std::string base = dir;
    if (!HasTrailingBackslash(base))
        base += '\\';

    WIN32_FIND_DATAA entry;
    CFindHandle find(::FindFirstFileA((base + "*.*").c_str(), &entry));
    if (find) {
        do {
            if (entry.cFileName[0] == '.')
                continue;
            const std::string path = base + entry.cFileName;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteDirectoryTree(path + '\\');
            else
                ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(find.Get(), &entry));
    }
    find.Close();

    base.resize(base.size() - 1);
    return ::RemoveDirectoryA(base.c_str()) != FALSE;
}

std::string GetLoginUserName()
{
    std::string buf(MAX_PATH, '\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(buf.size());
        if (::GetUserNameA(&buf[0], &size)) {
            // size counts the terminating NUL.
            buf.resize(size > 0 ? size - 1 : 0);
            return buf;
        }
        // Too small a buffer reports the size needed; any other failure
        // (no user can be named) gives "".
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= buf.size())
            return std::string();
        buf.resize(size);
    }
}

std::string GetUserProfileDir()
{
    return GetWindowsDir() + "\\Profiles\\" + GetLoginUserName();
}

bool CreateShellLink(const std::string& linkPath, const std::string& description,
                     const std::string& target)
{
    // IPersistFile wants the file name in UTF-16. Sized for the whole path,
    // so a long name is neither cut off nor left without its terminator.
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, nullptr, 0);
    if (wideLength <= 0)
        return false;
    std::vector<wchar_t> widePath(static_cast<std::size_t>(wideLength), L'\0');
    if (!::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath.data(), wideLength))
        return false;

    // The headers' own GUIDs (__uuidof), not libuuid's, which keeps every GUID
    // of the SDK in one object that would come into the program whole.
    CComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(__uuidof(ShellLink), nullptr, CLSCTX_INPROC_SERVER,
                                  __uuidof(IShellLinkA), link.ReceiveVoid())))
        return false;
    link->SetPath(target.c_str());
    link->SetDescription(description.c_str());

    CComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(__uuidof(IPersistFile), file.ReceiveVoid())))
        return false;
    // As before, TRUE says that the link objects could be made; whether the
    // file was written is for the caller to check where it matters.
    file->Save(widePath.data(), TRUE);
    return true;
}
