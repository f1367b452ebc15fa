#include "paths/pathvars.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "platform/handles.h"
#include "paths/fetchpath.h"
#include "paths/mbcs.h"

namespace {

// The four held values. Function-local statics, so that they exist before any
// other static object of the program can call a setter or expand a string.
std::string& HeldInstDir() { static std::string s; return s; }
std::string& HeldSrcDir() { static std::string s; return s; }
std::string& HeldTmpDir() { static std::string s; return s; }
std::string& HeldUserName() { static std::string s; return s; }

ShellOwnerSource& HeldShellOwnerSource() { static ShellOwnerSource s = nullptr; return s; }

HWND ShellOwnerWindow()
{
    const ShellOwnerSource source = HeldShellOwnerSource();
    return source ? source() : nullptr;
}

} // namespace

void SetInstDir(const std::string& dir) { HeldInstDir() = dir; }
void SetSrcDir(const std::string& dir) { HeldSrcDir() = dir; }
void SetTmpDir(const std::string& dir) { HeldTmpDir() = dir; }
void SetUserName(const std::string& name) { HeldUserName() = name; }
void SetShellOwnerSource(ShellOwnerSource source) { HeldShellOwnerSource() = source; }

std::string GetWindowsDir()
{
    return FetchPath([](char* buf, UINT size) { return ::GetWindowsDirectoryA(buf, size); });
}

std::string GetSystemDir()
{
    return FetchPath([](char* buf, UINT size) { return ::GetSystemDirectoryA(buf, size); });
}

// The drive part of the Windows directory, with "Program Files" after it.
// Deliberately no registry value and no special folder: scripts get the same
// directory on every system the installer supports.
std::string GetProgramFilesDir()
{
    std::string dir = GetWindowsDir();
    const std::size_t slash = FindNextBackslash(dir);
    if (slash == std::string::npos)
        return std::string();
    dir.resize(slash + 1);
    dir += "Program Files";
    return dir;
}

std::string GetModulePath()
{
    // GetModuleFileNameA returns the full buffer size, without a NUL, when
    // the path does not fit; then the buffer is doubled and the call repeated.
    std::string buf(MAX_PATH, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buf.size());
        const DWORD n = ::GetModuleFileNameA(nullptr, &buf[0], size);
        if (n == 0)
            return std::string();
        if (n < size) {
            buf.resize(n);
            return buf;
        }
        buf.resize(buf.size() * 2);
    }
}

namespace {

// The shell's folder functions, bound at run time: Windows NT 3.51's shell32
// has none of them, and a program that imported them would not start there
// at all. Without them every special folder is unknown (an empty path).
struct CShellFolderFunctions {
    using GetMallocFn = HRESULT(WINAPI*)(IMalloc**);
    using GetFolderLocationFn = HRESULT(WINAPI*)(HWND, int, LPITEMIDLIST*);
    using GetPathFromIDListFn = BOOL(WINAPI*)(LPCITEMIDLIST, LPSTR);

    CModule m_shell{::LoadLibraryA("SHELL32.DLL")};
    GetMallocFn m_getMalloc = Bind<GetMallocFn>("SHGetMalloc");
    GetFolderLocationFn m_getFolderLocation = Bind<GetFolderLocationFn>("SHGetSpecialFolderLocation");
    GetPathFromIDListFn m_getPathFromIDList = Bind<GetPathFromIDListFn>("SHGetPathFromIDListA");

    bool Complete() const { return m_getMalloc && m_getFolderLocation && m_getPathFromIDList; }

private:
    template <typename F>
    F Bind(const char* name) const
    {
        // Through the generic function type, as the system's loader hands it out.
        return m_shell ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(m_shell.Get(), name)))
                       : nullptr;
    }
};

} // namespace

std::string GetSpecialFolderPath(int csidl)
{
    const CShellFolderFunctions shell;
    if (!shell.Complete())
        return std::string();

    CComPtr<IMalloc> malloc;
    if (FAILED(shell.m_getMalloc(reinterpret_cast<IMalloc**>(malloc.ReceiveVoid()))))
        return std::string();

    LPITEMIDLIST idl = nullptr;
    if (FAILED(shell.m_getFolderLocation(ShellOwnerWindow(), csidl, &idl)) || !idl)
        return std::string();

    // SHGetPathFromIDListA writes at most MAX_PATH bytes by its contract.
    char path[MAX_PATH];
    const BOOL converted = shell.m_getPathFromIDList(idl, path);
    // The item list belongs to the caller and is freed through the shell's allocator.
    malloc->Free(idl);
    return converted ? std::string(path) : std::string();
}

std::string GetDesktopDir() { return GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY); }
std::string GetStartMenuDir() { return GetSpecialFolderPath(CSIDL_STARTMENU); }
std::string GetStartUpDir() { return GetSpecialFolderPath(CSIDL_STARTUP); }
std::string GetSendToDir() { return GetSpecialFolderPath(CSIDL_SENDTO); }
std::string GetProgramsDir() { return GetSpecialFolderPath(CSIDL_PROGRAMS); }

std::string CProcessPathVars::Value(PathVar v)
{
    switch (v) {
    case PathVar::ProgramFiles: return GetProgramFilesDir();
    case PathVar::WinDir:       return GetWindowsDir();
    case PathVar::SysDir:       return GetSystemDir();
    case PathVar::InstDir:      return HeldInstDir();
    case PathVar::SrcDir:       return HeldSrcDir();
    case PathVar::TmpDir:       return HeldTmpDir();
    case PathVar::UserName:     return HeldUserName();
    case PathVar::Desktop:      return GetDesktopDir();
    case PathVar::StartMenu:    return GetStartMenuDir();
    case PathVar::StartUp:      return GetStartUpDir();
    case PathVar::SendTo:       return GetSendToDir();
    }
    return std::string();
}

void ExpandPathVariables(std::string& s)
{
    CProcessPathVars values;
    ExpandPathVariables(s, values);
}
