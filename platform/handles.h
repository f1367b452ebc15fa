#pragma once
// One owner type per kind of Windows handle: not copyable, movable, closes
// what it holds when it goes out of scope or is given a new value.
#include <windows.h>
#include <ddeml.h>
#include <objbase.h>
#include <utility>

template <typename Traits>
class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;
    CUniqueHandle() = default;
    explicit CUniqueHandle(Handle h) : m_h(h) {}
    ~CUniqueHandle() { Close(); }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& o) noexcept : m_h(o.Detach()) {}
    CUniqueHandle& operator=(CUniqueHandle&& o) noexcept { Attach(o.Detach()); return *this; }

    Handle Get() const { return m_h; }
    bool IsValid() const { return m_h != Traits::Invalid(); }
    explicit operator bool() const { return IsValid(); }
    // Closes the current handle, then takes h.
    void Attach(Handle h) { if (h != m_h) { Close(); m_h = h; } }
    Handle Detach() { Handle h = m_h; m_h = Traits::Invalid(); return h; }
    void Close() { if (IsValid()) { Traits::Close(m_h); m_h = Traits::Invalid(); } }
    // For functions that return a handle through a pointer.
    Handle* Receive() { Close(); return &m_h; }

private:
    Handle m_h = Traits::Invalid();
};

struct FileHandleTraits {      // CreateFile: INVALID_HANDLE_VALUE when missing
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct KernelHandleTraits {    // threads, processes, events, mappings: NULL when missing
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};
struct MappedViewTraits {
    using Handle = const void*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnmapViewOfFile(h); }
};
struct GdiObjectTraits {       // brushes, fonts, pens, bitmaps
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { if (::IsWindow(h)) ::DestroyWindow(h); }
};

using CFileHandle = CUniqueHandle<FileHandleTraits>;
using CKernelHandle = CUniqueHandle<KernelHandleTraits>;
using CFindHandle = CUniqueHandle<FindHandleTraits>;
using CRegKey = CUniqueHandle<RegKeyTraits>;
using CModule = CUniqueHandle<ModuleTraits>;
using CMappedView = CUniqueHandle<MappedViewTraits>;
using CGdiObject = CUniqueHandle<GdiObjectTraits>;
using CWindowHandle = CUniqueHandle<WindowTraits>;

// A DDEML string handle, freed through the DDEML instance that made it (the
// instance must still be initialised when the owner lets the handle go).
class CDdeStringHandle {
public:
    CDdeStringHandle() = default;
    ~CDdeStringHandle() { Free(); }
    CDdeStringHandle(const CDdeStringHandle&) = delete;
    CDdeStringHandle& operator=(const CDdeStringHandle&) = delete;

    HSZ Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    // Frees the current handle, then takes h of the instance.
    void Attach(DWORD instance, HSZ h) { Free(); m_instance = instance; m_h = h; }
    void Free() { if (m_h) { ::DdeFreeStringHandle(m_instance, m_h); m_h = nullptr; } }

private:
    DWORD m_instance = 0;
    HSZ m_h = nullptr;
};

// A COM interface pointer, released when it goes out of scope.
template <typename T>
class CComPtr {
public:
    CComPtr() = default;
    ~CComPtr() { Release(); }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void Release() { if (m_p) { m_p->Release(); m_p = nullptr; } }
    // For CoCreateInstance / QueryInterface.
    void** ReceiveVoid() { Release(); return reinterpret_cast<void**>(&m_p); }

private:
    T* m_p = nullptr;
};

// Selects a GDI object into a device context and puts the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(::SelectObject(dc, obj)) {}
    ~CSelectObject() { ::SelectObject(m_dc, m_old); }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};
