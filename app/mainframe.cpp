#include "app/mainframe.h"

#include "app/dialogs.h"
#include "app/setupview.h"
#include "script/setupdoc.h"

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The whole screen, maximised, without the template's menu.
    cs.x = 0;
    cs.y = 0;
    cs.cx = ::GetSystemMetrics(SM_CXSCREEN);
    cs.cy = ::GetSystemMetrics(SM_CYSCREEN);
    cs.style |= WS_MAXIMIZE;
    cs.hMenu = nullptr;
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(CREATESTRUCTA* cs)
{
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    // No caption: the background reaches the top of the screen. The frame
    // change makes the window recompute its border for the new style now.
    ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
    return 0;
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == ID_APP_ABOUT) {
        CAboutDlg about(m_hWnd);
        about.DoModal();
        return 0;
    }
    return CFrameWnd::WindowProc(msg, wParam, lParam);
}

CSetupDoc* CMainFrame::UninstallDocument() const
{
    auto* view = static_cast<CSetupView*>(GetActiveView());
    CSetupDoc* doc = view ? view->GetDocument() : nullptr;
    return doc && doc->IsUninstallEnabled() ? doc : nullptr;
}

void CMainFrame::LogDeleteFile(const std::string& path)
{
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteFile(doc->m_strUninstallLogPath, path);
}

void CMainFrame::LogCreatedDirectory(const std::string& path)
{
    if (UninstallDocument())
        m_uninstallLog.CreatedDirectory(path);
}

void CMainFrame::LogDeleteShortCut(const std::string& path)
{
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteShortCut(doc->m_strUninstallLogPath, path);
}

void CMainFrame::LogDeleteProgramGroup(const std::string& name)
{
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteProgramGroup(doc->m_strUninstallLogPath, name);
}

void CMainFrame::LogUnregisterOcx(const COcxItem& item)
{
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.UnregisterOcx(doc->m_strUninstallLogPath, item);
}

void CMainFrame::LogDeleteIniFile(const std::string& path)
{
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteIniFile(doc->m_strUninstallLogPath, path);
}

void CMainFrame::LogDeleteIniSection(const CIniItem& item)
{
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteIniSection(doc->m_strUninstallLogPath, item);
}

void CMainFrame::LogDeleteIniKeyword(const CIniItem& item)
{
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteIniKeyword(doc->m_strUninstallLogPath, item);
}

void CMainFrame::LogDeleteIniValue(const CIniItem& item)
{
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteIniValue(doc->m_strUninstallLogPath, item);
}

void CMainFrame::RegisterUninstall()
{
    CSetupDoc* doc = UninstallDocument();
    if (!doc)
        return;
    CUninstallRegistration registration;
    registration.m_strProduct = doc->GetProduct();
    registration.m_strUninstallKey = doc->m_strUninstallKey;
    m_uninstallLog.Register(doc->m_strUninstallLogPath, registration);
}
