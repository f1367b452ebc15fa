#include "app/mainframe.h"

#include "app/dialogs.h"
#include "app/setupapp.h"
#include "app/setupview.h"
#include "script/setupdoc.h"
#include "services/installlog.h"

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

    // The Program Manager is the shell of Windows NT 3.x: the conversation
    // with it is opened now, before the wizard, whether or not it answers.
    const CSetupApp* app = CSetupApp::Current();
    if (app && app->m_bWindowsNT && app->m_dwWindowsVersion < 0x00040000) {
        m_pDdeClient = std::make_unique<CDDEClient>();
        m_pProgman = std::make_unique<CDDEClientConv>();
        m_pProgman->Connect("Progman", "Progman", nullptr);
    }
    return 0;
}

void CMainFrame::OnDestroy()
{
    // The conversation, then the client, and only then the framework's end
    // of the message loop: ending the conversation waits for the Program
    // Manager's answer in a loop of DDEML's own, which would take the quit
    // message away from the application's loop (Wine's does). Each is taken
    // out of its member first, so that a command asked for meanwhile finds
    // no conversation.
    std::unique_ptr<CDDEClientConv> progman = std::move(m_pProgman);
    progman.reset();
    std::unique_ptr<CDDEClient> client = std::move(m_pDdeClient);
    client.reset();
    CFrameWnd::OnDestroy();
}

IProgramManager* CMainFrame::GetProgramManager()
{
    return m_pProgman ? this : nullptr;
}

void CMainFrame::Execute(const std::string& command)
{
    LogStep("DDE " + command + (m_pProgman ? "" : ": no Program Manager conversation"));
    // Each command waits a second at most for the Program Manager's answer.
    if (m_pProgman)
        m_pProgman->Execute(command.c_str(), 1000);
}

void CMainFrame::ClearLastError()
{
    if (m_pDdeClient)
        m_pDdeClient->GetLastDdeError();
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
    LogStep(std::string("uninstall record: DeleteFile ") + path);
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteFile(doc->m_strUninstallLogPath, path);
}

void CMainFrame::LogCreatedDirectory(const std::string& path)
{
    LogStep(std::string("uninstall record: CreatedDirectory ") + path);
    if (UninstallDocument())
        m_uninstallLog.CreatedDirectory(path);
}

void CMainFrame::LogDeleteShortCut(const std::string& path)
{
    LogStep(std::string("uninstall record: DeleteShortCut ") + path);
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteShortCut(doc->m_strUninstallLogPath, path);
}

void CMainFrame::LogDeleteProgramGroup(const std::string& name)
{
    LogStep(std::string("uninstall record: DeleteProgramGroup ") + name);
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteProgramGroup(doc->m_strUninstallLogPath, name);
}

void CMainFrame::LogUnregisterOcx(const COcxItem& item)
{
    LogStep(std::string("uninstall record: UnregisterOcx ") + item.m_strPath);
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.UnregisterOcx(doc->m_strUninstallLogPath, item);
}

void CMainFrame::LogDeleteIniFile(const std::string& path)
{
    LogStep(std::string("uninstall record: DeleteIniFile ") + path);
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteIniFile(doc->m_strUninstallLogPath, path);
}

void CMainFrame::LogDeleteIniSection(const CIniItem& item)
{
    LogStep(std::string("uninstall record: DeleteIniSection ") + item.m_strFile + " [" + item.m_strSection + "] " + item.m_strKey);
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteIniSection(doc->m_strUninstallLogPath, item);
}

void CMainFrame::LogDeleteIniKeyword(const CIniItem& item)
{
    LogStep(std::string("uninstall record: DeleteIniKeyword ") + item.m_strFile + " [" + item.m_strSection + "] " + item.m_strKey);
    if (CSetupDoc* doc = UninstallDocument())
        m_uninstallLog.DeleteIniKeyword(doc->m_strUninstallLogPath, item);
}

void CMainFrame::LogDeleteIniValue(const CIniItem& item)
{
    LogStep(std::string("uninstall record: DeleteIniValue ") + item.m_strFile + " [" + item.m_strSection + "] " + item.m_strKey);
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
    LogStep("uninstall registered: " + doc->m_strUninstallKey + ", log " + doc->m_strUninstallLogPath);
}
