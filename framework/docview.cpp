#include "framework/docview.h"

#include "framework/app.h"

namespace {
const char kFrameClass[] = "SetupFrame";
const char kViewClass[] = "SetupView";

// First line of a template's document string ("title\n...\n...").
std::string TemplateTitle(UINT resourceId)
{
    char buf[512];
    int len = ::LoadStringA(::GetModuleHandleA(nullptr), resourceId, buf, sizeof buf);
    std::string s(buf, len > 0 ? static_cast<size_t>(len) : 0);
    size_t nl = s.find('\n');
    return nl == std::string::npos ? s : s.substr(0, nl);
}
}  // namespace

bool CFrameWnd::LoadFrame(const std::string& title, CView* view)
{
    m_pView = view;
    HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128));
    // No class background: the view paints everything.
    if (!RegisterWindowClass(kFrameClass, CS_DBLCLKS, nullptr, icon))
        return false;
    CREATESTRUCTA cs = {};
    cs.lpszClass = kFrameClass;
    cs.lpszName = title.c_str();
    cs.style = WS_OVERLAPPEDWINDOW;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.hInstance = ::GetModuleHandleA(nullptr);
    if (!PreCreateWindow(cs))
        return false;
    return CreateEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                    cs.hwndParent, cs.hMenu);
}

int CFrameWnd::OnCreate(CREATESTRUCTA*)
{
    if (m_pView && !m_pView->Create(this))
        return -1;
    return 0;
}

void CFrameWnd::OnDestroy()
{
    // The main window's end is the end of the message loop.
    CApplication* app = CApplication::Current();
    if (app && app->GetMainWnd() == this)
        ::PostQuitMessage(0);
}

LRESULT CFrameWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_SIZE:
        if (m_pView && m_pView->GetSafeHwnd()) {
            RECT rc;
            ::GetClientRect(m_hWnd, &rc);
            ::MoveWindow(m_pView->GetSafeHwnd(), 0, 0, rc.right, rc.bottom, TRUE);
        }
        return 0;
    case WM_SETFOCUS:
        if (m_pView && m_pView->GetSafeHwnd())
            ::SetFocus(m_pView->GetSafeHwnd());
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return Default(msg, wParam, lParam);
    }
}

bool CView::Create(CFrameWnd* frame)
{
    if (!RegisterWindowClass(kViewClass, CS_DBLCLKS, nullptr))
        return false;
    RECT rc;
    ::GetClientRect(frame->GetSafeHwnd(), &rc);
    return CreateEx(0, kViewClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, rc.right,
                    rc.bottom, frame->GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(0xE900)));
}

LRESULT CView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        OnDraw(dc);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    return Default(msg, wParam, lParam);
}

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, DocumentFactory doc, FrameFactory frame,
                                       ViewFactory view)
    : m_resourceId(resourceId),
      m_makeDocument(std::move(doc)),
      m_makeFrame(std::move(frame)),
      m_makeView(std::move(view))
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pFrame && m_pFrame->GetSafeHwnd())
        m_pFrame->DestroyWindow();
}

bool CSingleDocTemplate::OpenNewDocument(int showCommand)
{
    m_pDocument = m_makeDocument();
    m_pFrame = m_makeFrame();
    m_pView = m_makeView();
    if (!m_pDocument || !m_pFrame || !m_pView)
        return false;
    m_pView->SetDocument(m_pDocument.get());
    CApplication* app = CApplication::Current();
    if (app)
        app->SetMainWnd(m_pFrame.get());
    if (!m_pFrame->LoadFrame(TemplateTitle(m_resourceId), m_pView.get()) ||
        !m_pDocument->OnNewDocument()) {
        if (app)
            app->SetMainWnd(nullptr);
        if (m_pFrame->GetSafeHwnd())
            m_pFrame->DestroyWindow();
        return false;
    }
    m_pView->OnInitialUpdate();
    ::ShowWindow(m_pFrame->GetSafeHwnd(), showCommand);
    ::UpdateWindow(m_pFrame->GetSafeHwnd());
    return true;
}
