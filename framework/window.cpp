#include "framework/window.h"

#include "platform/msgbox.h"

namespace {
// The object pointer lives in a window property: it needs no window extra
// bytes, so the same lookup serves windows of our classes and dialogs.
const char kObjectProp[] = "SetupCWnd";
}  // namespace

CWnd::~CWnd()
{
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        // The object goes first: stop forwarding before the window is destroyed.
        // A subclassed window gets its own procedure back, which still has
        // its part of the destruction to do.
        DetachObject(m_hWnd);
        HWND h = m_hWnd;
        m_hWnd = nullptr;
        if (m_pfnSuper)
            ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
        ::DestroyWindow(h);
    }
}

bool CWnd::RegisterWindowClass(const char* className, UINT style, HBRUSH background, HICON icon,
                               HCURSOR cursor)
{
    WNDCLASSA existing;
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    if (::GetClassInfoA(inst, className, &existing))
        return true;
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = &CWnd::StaticWndProc;
    wc.hInstance = inst;
    wc.hIcon = icon;
    wc.hCursor = cursor ? cursor : ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return ::RegisterClassA(&wc) != 0;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId)
{
    HWND h = ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                               menuOrId, ::GetModuleHandleA(nullptr), this);
    return h != nullptr;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd)
        return false;
    AttachObject(hwnd, this);
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
    if (!m_pfnSuper) {
        DetachObject(hwnd);
        m_hWnd = nullptr;
        return false;
    }
    return true;
}

bool CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return false;
    return ::DestroyWindow(m_hWnd) != FALSE;
}

void CWnd::AttachObject(HWND hwnd, CWnd* wnd)
{
    wnd->m_hWnd = hwnd;
    ::SetPropA(hwnd, kObjectProp, wnd);
}

void CWnd::DetachObject(HWND hwnd)
{
    ::RemovePropA(hwnd, kObjectProp);
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropA(hwnd, kObjectProp)) : nullptr;
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

std::string GetWindowTextString(HWND hwnd)
{
    int len = ::GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(len) + 1, '\0');
    int got = ::GetWindowTextA(hwnd, &text[0], len + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

std::string CWnd::GetWindowText() const
{
    return GetWindowTextString(m_hWnd);
}

void CWnd::SetWindowText(const std::string& text)
{
    ::SetWindowTextA(m_hWnd, text.c_str());
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, msg, wParam, lParam);
}

bool CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, msg, wParam, lParam) != FALSE;
}

void CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    LONG_PTR changed = (style & ~static_cast<LONG_PTR>(remove)) | static_cast<LONG_PTR>(add);
    if (changed == style)
        return;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, changed);
    if (swpFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
}

void CWnd::CenterWindow(HWND over)
{
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT target = work;
    if (over)
        ::GetWindowRect(over, &target);
    RECT self = {};
    ::GetWindowRect(m_hWnd, &self);
    const LONG width = self.right - self.left;
    const LONG height = self.bottom - self.top;
    LONG x = target.left + (target.right - target.left - width) / 2;
    LONG y = target.top + (target.bottom - target.top - height) / 2;
    if (x + width > work.right)
        x = work.right - width;
    if (y + height > work.bottom)
        y = work.bottom - height;
    if (x < work.left)
        x = work.left;
    if (y < work.top)
        y = work.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(const std::string& text, UINT type)
{
    return AppMessageBox(m_hWnd, text, type);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Default(msg, wParam, lParam);
}

LRESULT CWnd::Default(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = nullptr;
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        wnd = static_cast<CWnd*>(cs->lpCreateParams);
        if (wnd)
            AttachObject(hwnd, wnd);
    } else {
        wnd = FromHandle(hwnd);
    }
    if (!wnd)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);

    LRESULT result = 0;
    try {
        result = wnd->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // A handler that throws must not unwind through user32; the message
        // counts as handled.
        result = 0;
    }
    if (msg == WM_NCDESTROY) {
        DetachObject(hwnd);
        wnd->m_hWnd = nullptr;
        wnd->m_pfnSuper = nullptr;
        wnd->PostNcDestroy();
    }
    return result;
}
