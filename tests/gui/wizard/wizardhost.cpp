// Runs setup's wizard alone for tests that drive it through the GUI driver,
// on the document that a setup script makes, with setup's own templates.
//
//   wizardhost SCRIPT
//
// SCRIPT is the full path of a SETUP.INF; it becomes the settings file, as at
// setup's start-up. The host's window shows "$UserName$" as it is held at
// each moment. When the wizard ends the host prints what it ended with and
// what its pages hold, then ends:
//
//   end 1                 (1 finished, 2 cancelled)
//   dir C:\APP            (or "dir none" without the install directory page)
//   option 標準
//   folder テスト グループ  (or "folder none")
//   username 山田
//
// Exit code 0 after the wizard's end, 2 for a bad command line, 3 when the
// document or the wizard could not be made.
#include <windows.h>
#include <cstdio>
#include <memory>
#include <string>

#include "app/platform.h"
#include "framework/app.h"
#include "framework/dialog.h"
#include "paths/pathvars.h"
#include "script/setupdoc.h"
#include "tests/gui/wizard/wizardhost.h"
#include "wizard/setupwizard.h"

namespace {
const UINT kWizardEnd = WM_APP + 1;
const UINT_PTR kShowTimer = 1;

void Print(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

std::string HeldUserName()
{
    std::string name = "$UserName$";
    ExpandPathVariables(name);
    return name;
}

class CHostWindow : public CDialog {
public:
    explicit CHostWindow(CSetupWizard& wizard) : CDialog(IDD_WIZARD_HOST), m_wizard(wizard) {}

protected:
    BOOL OnInitDialog() override
    {
        ::SetTimer(m_hWnd, kShowTimer, 100, nullptr);
        return TRUE;
    }
    bool OnCommand(int, int, HWND) override { return true; }
    BOOL OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override
    {
        if (msg == WM_TIMER && wParam == kShowTimer) {
            SetItemText(IDC_HOST_USERNAME, HeldUserName());
            result = 0;
            return TRUE;
        }
        if (msg == kWizardEnd) {
            Report(wParam);
            ::PostQuitMessage(0);
            result = 0;
            return TRUE;
        }
        return FALSE;
    }

private:
    void Report(WPARAM end)
    {
        Print("end " + std::to_string(end));
        std::string dir, folder;
        Print(m_wizard.GetInstallDir(dir) ? "dir " + dir : "dir none");
        Print("option " + m_wizard.GetSelectedOption());
        Print(m_wizard.GetFolderName(folder) ? "folder " + folder : "folder none");
        Print("username " + HeldUserName());
    }

    CSetupWizard& m_wizard;
};

class CWizardHostApp : public CApplication {
public:
    explicit CWizardHostApp(const std::string& script) : m_strScript(script)
    {
        m_pszProfileName = m_strScript.c_str();
    }

    BOOL InitInstance() override
    {
        m_pDoc = std::make_unique<CSetupDoc>(m_strScript);
        if (!m_pDoc->OnNewDocument())
            return FALSE;
        const CPlatformFacts facts = DetectPlatform();
        m_pWizard = std::make_unique<CSetupWizard>(
            kWizardEnd, ProgramFolderStoreFor(facts.m_bWindowsNT, facts.m_bWindows95, facts.m_dwWindowsVersion));
        m_pWindow = std::make_unique<CHostWindow>(*m_pWizard);
        if (!m_pWindow->Create(nullptr))
            return FALSE;
        SetMainWnd(m_pWindow.get());
        return m_pWizard->Start(m_pWindow->GetSafeHwnd(), *m_pDoc) ? TRUE : FALSE;
    }

private:
    std::string m_strScript;
    // The wizard goes before the window that owns its sheet, the document last.
    std::unique_ptr<CSetupDoc> m_pDoc;
    std::unique_ptr<CHostWindow> m_pWindow;
    std::unique_ptr<CSetupWizard> m_pWizard;
};
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wizardhost SCRIPT\n");
        return 2;
    }
    CWizardHostApp app(argv[1]);
    const int code = app.WinMain(::GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    return code == 1 ? 3 : code;
}
