#pragma once
// Windows as C++ objects: one static window procedure stores the object at
// WM_NCCREATE and forwards every message to the object's WindowProc, which
// derived classes override. No C++ exception crosses into user32.
#include <windows.h>
#include <string>

// The whole text of any window or control.
std::string GetWindowTextString(HWND hwnd);

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Registers (once) a window class whose procedure forwards to CWnd objects.
    static bool RegisterWindowClass(const char* className, UINT style, HBRUSH background,
                                    HICON icon = nullptr, HCURSOR cursor = nullptr);
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU menuOrId);
    // Ties a window made by someone else (a control of the system) to this
    // object: its messages reach WindowProc, and Default passes them on to
    // the window's own procedure.
    bool SubclassWindow(HWND hwnd);
    virtual bool DestroyWindow();

    // The object behind a window created by this framework, or null.
    static CWnd* FromHandle(HWND hwnd);
    CWnd* GetParent() const;

    std::string GetWindowText() const;
    void SetWindowText(const std::string& text);
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    // Moves the window to the middle of `over` (null: of the screen's work
    // area), keeping it inside the work area.
    void CenterWindow(HWND over = nullptr);
    int MessageBox(const std::string& text, UINT type);  // captioned with the application title

protected:
    // Default handling of a message: the window's own procedure for a
    // subclassed window, DefWindowProc otherwise.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone (WM_NCDESTROY); the object may be reused or deleted.
    virtual void PostNcDestroy() {}
    // Ties a window to its object (and unties it) for FromHandle.
    static void AttachObject(HWND hwnd, CWnd* wnd);
    static void DetachObject(HWND hwnd);

    HWND m_hWnd = nullptr;

private:
    WNDPROC m_pfnSuper = nullptr;   // the window's own procedure, when subclassed
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
