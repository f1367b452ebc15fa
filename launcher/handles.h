#pragma once
// Owners of the three kinds of handle the launcher opens: not copyable, each
// closes its handle when it goes out of scope.
#include <windows.h>

template <typename Traits>
class CLauncherHandle {
public:
    explicit CLauncherHandle(HANDLE h = Traits::Invalid()) : m_h(h) {}
    ~CLauncherHandle() { if (*this) Traits::Close(m_h); }
    CLauncherHandle(const CLauncherHandle&) = delete;
    CLauncherHandle& operator=(const CLauncherHandle&) = delete;

    HANDLE Get() const { return m_h; }
    explicit operator bool() const { return m_h != Traits::Invalid(); }

private:
    HANDLE m_h;
};

struct KernelHandleTraits {    // processes and threads: NULL when missing
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FindHandleTraits {      // FindFirstFileA: INVALID_HANDLE_VALUE when nothing is found
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};

struct FileHandleTraits {      // CreateFileA: INVALID_HANDLE_VALUE when it fails
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};

using CKernelHandle = CLauncherHandle<KernelHandleTraits>;
using CFileHandle = CLauncherHandle<FileHandleTraits>;
using CFindHandle = CLauncherHandle<FindHandleTraits>;
