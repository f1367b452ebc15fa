#include "tests/e2e/testphases.h"

#include <windows.h>
#include <cstdio>

#include "app/mainframe.h"
#include "app/wizardphase.h"
#include "framework/dialog.h"
#include "platform/handles.h"
#include "paths/pathvars.h"
#include "tests/e2e/testphases_res.h"

namespace {

std::string LogPath()
{
    std::string path = GetModulePath();
    path.erase(path.find_last_of('\\') + 1);
    return path + "phases.log";
}

bool HasOption(const std::string& option)
{
    const std::string line = ::GetCommandLineA();
    size_t at = line.find(option);
    return at != std::string::npos &&
           (at + option.size() == line.size() || line[at + option.size()] == ' ');
}

bool Unavailable(const char* phase)
{
    return HasOption(std::string("--no-") + phase);
}

template <typename T>
std::string Count(const CItemList<T>* list)
{
    return list ? std::to_string(list->size()) : std::string("null");
}

// A stand-in phase window: a modeless dialog owned by the view's frame.
class CPhaseDialog : public CDialog {
public:
    CPhaseDialog(UINT templateId, const char* name) : CDialog(templateId), m_pszName(name) {}

    bool Open(CWnd& view, const std::string& info)
    {
        if (!Create(view.GetSafeHwnd()))
            return false;
        SetItemText(IDC_TEST_INFO, info);
        ::ShowWindow(m_hWnd, SW_SHOW);
        return true;
    }
    void CloseWindow()
    {
        WritePhaseLog(std::string(m_pszName) + " close");
        DestroyWindow();
    }

protected:
    // Escape and Enter do nothing: only the scenario's messages end a phase.
    bool OnCommand(int, int, HWND) override { return true; }

private:
    const char* m_pszName;
};

class CTestWizard : public IWizardWindow {
public:
    bool Start(CWnd& view, CSetupDoc& doc) override
    {
        m_bDirPage = doc.m_bShowChooseDirPage != 0;
        m_bOptionPage = doc.GetOptions()->size() >= 2;
        m_bFolderPage = doc.m_bShowGroupNamePage != 0;
        WritePhaseLog("wizard start product=" + doc.GetProduct() + " dirpage=" + std::to_string(m_bDirPage) +
                      " optionpage=" + std::to_string(m_bOptionPage) +
                      " folderpage=" + std::to_string(m_bFolderPage));
        if (!m_dialog.Open(view, doc.GetProduct()))
            return false;
        m_dialog.SetItemText(IDC_TEST_INSTALLDIR, doc.GetInstallDir());
        if (m_bOptionPage)
            m_dialog.SetItemText(IDC_TEST_OPTION, doc.GetOptions()->front()->GetName());
        m_dialog.SetItemText(IDC_TEST_FOLDER, doc.GetGroupName());
        return true;
    }
    bool GetInstallDir(std::string& dir) const override
    {
        if (!m_bDirPage)
            return false;
        dir = m_dialog.GetItemText(IDC_TEST_INSTALLDIR);
        return true;
    }
    std::string GetSelectedOption() const override { return m_dialog.GetItemText(IDC_TEST_OPTION); }
    bool GetFolderName(std::string& name) const override
    {
        if (!m_bFolderPage)
            return false;
        name = m_dialog.GetItemText(IDC_TEST_FOLDER);
        return true;
    }
    void Close() override { m_dialog.CloseWindow(); }

private:
    CPhaseDialog m_dialog{IDD_TEST_WIZARD, "wizard"};
    bool m_bDirPage = false;
    bool m_bOptionPage = false;
    bool m_bFolderPage = false;
};

// Setup's own wizard, with the user name it held logged when the view closes it.
class CLoggedWizard : public IWizardWindow {
public:
    bool Start(CWnd& view, CSetupDoc& doc) override
    {
        WritePhaseLog("wizard start");
        return m_wizard.Start(view, doc);
    }
    bool GetInstallDir(std::string& dir) const override { return m_wizard.GetInstallDir(dir); }
    std::string GetSelectedOption() const override { return m_wizard.GetSelectedOption(); }
    bool GetFolderName(std::string& name) const override { return m_wizard.GetFolderName(name); }
    void Close() override
    {
        m_wizard.Close();
        std::string name = "$UserName$";
        ExpandPathVariables(name);
        WritePhaseLog("wizard close $UserName$=" + name);
    }

private:
    CWizardPhase m_wizard;
};

// The shortage question: any button ends it with its id.
class CShortageDialog : public CDialog {
public:
    explicit CShortageDialog(HWND parent) : CDialog(IDD_TEST_SHORTAGE, parent) {}

protected:
    bool OnCommand(int id, int, HWND) override
    {
        EndDialog(id);
        return true;
    }
};

class CTestDiskCheck : public IDiskCheckWindow {
public:
    bool Start(CWnd& view, CItemList<CFileItem>* files, const std::string& installDir,
               const std::string& option) override
    {
        std::string instDir = "$InstDir$";
        ExpandPathVariables(instDir);
        WritePhaseLog("diskcheck start files=" + Count(files) + " dir=" + installDir + " option=" + option +
                      " $InstDir$=" + instDir);
        return m_dialog.Open(view, installDir);
    }
    INT_PTR AskShortage(CWnd& view) override
    {
        CShortageDialog question(view.GetSafeHwnd());
        const INT_PTR answer = question.DoModal();
        WritePhaseLog("diskcheck shortage answer=" + std::to_string(answer));
        return answer;
    }
    void Close() override { m_dialog.CloseWindow(); }

private:
    CPhaseDialog m_dialog{IDD_TEST_DISKCHECK, "diskcheck"};
};

class CTestCopy : public ICopyWindow {
public:
    bool Start(CWnd& view, CItemList<CFileItem>* files, const std::string& installDir,
               const std::string& option, const std::string& groupName) override
    {
        std::string names;
        for (const auto& file : *files)
            names += (names.empty() ? "" : ",") + file->m_strName;
        WritePhaseLog("copy start files=" + Count(files) + " (" + names + ") dir=" + installDir +
                      " option=" + option + " group=" + groupName);
        m_bStarted = true;
        return m_dialog.Open(view, installDir);
    }
    void Close() override
    {
        if (m_bStarted)
            m_dialog.CloseWindow();
        else
            WritePhaseLog("copy deleted unused");
    }

private:
    CPhaseDialog m_dialog{IDD_TEST_COPY, "copy"};
    bool m_bStarted = false;
};

class CTestUpdate : public IUpdateWindow {
public:
    bool Start(CWnd& view, const CUpdateLists& lists, const std::string& groupName) override
    {
        WritePhaseLog("update start files=" + Count(lists.files) + " ini=" + Count(lists.iniItems) +
                      " reg=" + Count(lists.regItems) + " ocx=" + Count(lists.ocxItems) +
                      " exe=" + Count(lists.exeItems) + " group=" + groupName);
        return m_dialog.Open(view, groupName);
    }
    void Close() override { m_dialog.CloseWindow(); }

private:
    CPhaseDialog m_dialog{IDD_TEST_UPDATE, "update"};
};

}  // namespace

void WritePhaseLog(const std::string& line)
{
    CFileHandle file(::CreateFileA(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::unique_ptr<IWizardWindow> CTestPhaseWindows::NewWizard()
{
    if (Unavailable("wizard"))
        return nullptr;
    if (HasOption("--real-wizard"))
        return std::make_unique<CLoggedWizard>();
    return std::make_unique<CTestWizard>();
}

std::unique_ptr<IDiskCheckWindow> CTestPhaseWindows::NewDiskCheck()
{
    if (Unavailable("diskcheck"))
        return nullptr;
    return std::make_unique<CTestDiskCheck>();
}

std::unique_ptr<ICopyWindow> CTestPhaseWindows::NewCopy()
{
    if (Unavailable("copy"))
        return nullptr;
    return std::make_unique<CTestCopy>();
}

std::unique_ptr<IUpdateWindow> CTestPhaseWindows::NewUpdate()
{
    if (Unavailable("update"))
        return nullptr;
    return std::make_unique<CTestUpdate>();
}

void CTestPhaseWindows::RegisterUninstall(CMainFrame& frame)
{
    auto* doc = static_cast<CSetupDoc*>(frame.GetActiveView()->GetDocument());
    WritePhaseLog("register uninstall product=" + doc->GetProduct() + " enabled=" +
                  std::to_string(doc->IsUninstallEnabled()) + " log=" + doc->m_strUninstallLogPath);
}
