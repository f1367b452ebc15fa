#include "wizard/browsedialog.h"

#include "engine/dialogtext.h"
#include "framework/app.h"
#include "paths/fileutil.h"
#include "paths/mbcs.h"
#include "resources/dialogs/browse.h"

std::string CBrowseDialog::StartDirectory(const std::string& dir)
{
    std::string path = dir;
    while (!path.empty() && !IsDirectory(path)) {
        const size_t slash = FindLastBackslash(path);
        if (slash == std::string::npos)
            break;
        path.erase(slash);
    }
    return path;
}

CBrowseDialog::CBrowseDialog(const std::string& initialDir, HWND parent)
    : CFileDialog(IDD_BROWSE, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, parent), m_strPath(initialDir)
{
    m_ofn.Flags &= ~static_cast<DWORD>(OFN_EXPLORER | OFN_SHOWHELP);
    m_ofn.lpstrDefExt = m_szDefExt;
    m_strStartDir = StartDirectory(initialDir);
    // Without a start directory the dialog opens in the current directory.
    if (!m_strStartDir.empty())
        m_ofn.lpstrInitialDir = m_strStartDir.c_str();
}

BOOL CBrowseDialog::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    ::ShowWindow(GetItem(IDC_BROWSE_HELP), SW_HIDE);
    return TRUE;
}

void CBrowseDialog::OnOK()
{
    m_strPath = GetItemText(IDC_BROWSE_PATH);
    if (IsDirectory(m_strPath)) {
        EndDialog(IDOK);
        return;
    }
    const std::string question =
        FormatTemplateText(LoadResourceString(IDS_BROWSE_CREATE_QUESTION), {m_strPath});
    const int answer = ::MessageBoxA(m_hWnd, question.c_str(), LoadResourceString(IDS_BROWSE_CAPTION).c_str(),
                                     MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES)
        return;
    // Only the last component: a missing parent makes this fail, and the
    // path is accepted all the same (the copy makes the directories it needs).
    ::CreateDirectoryA(m_strPath.c_str(), nullptr);
    EndDialog(IDOK);
}
