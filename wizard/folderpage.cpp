#include "wizard/folderpage.h"

#include "resources/dialogs/folder.h"

CFolderPage::CFolderPage() : CPropertyPage(IDD_FOLDER) {}

void CFolderPage::DoDataExchange()
{
    Bind(m_name, IDC_FOLDER_NAME);
    Bind(m_list, IDC_FOLDER_LIST);
}

BOOL CFolderPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    HWND list = m_list.GetHwnd();
    // The proposed name is the first line, even when it is empty.
    const std::string proposed = m_strFolderName;
    m_name.SetText(proposed);
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(proposed.c_str()));
    for (const CProgramFolder& folder : FindProgramFolders(m_store)) {
        // The list's own prefix search, without regard to letter case.
        if (folder.bOnlyIfNew &&
            ::SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(folder.strName.c_str())) != LB_ERR)
            continue;
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.strName.c_str()));
    }
    return TRUE;
}

BOOL CFolderPage::OnSetActive()
{
    OnNameUpdate();
    return CPropertyPage::OnSetActive();
}

bool CFolderPage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_FOLDER_LIST && code == LBN_SELCHANGE) {
        OnSelectionChange();
        return true;
    }
    if (id == IDC_FOLDER_NAME && code == EN_UPDATE) {
        OnNameUpdate();
        return true;
    }
    return CPropertyPage::OnCommand(id, code, control);
}

void CFolderPage::OnSelectionChange()
{
    HWND list = m_list.GetHwnd();
    const LRESULT index = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
    m_strFolderName.clear();
    if (index != LB_ERR) {
        const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length > 0) {
            std::string line(static_cast<size_t>(length) + 1, '\0');
            const LRESULT got = ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                               reinterpret_cast<LPARAM>(&line[0]));
            line.resize(got > 0 ? static_cast<size_t>(got) : 0);
            m_strFolderName = line;
        }
    }
    // The field follows, and its change sets the buttons.
    m_name.SetText(m_strFolderName);
}

void CFolderPage::OnNameUpdate()
{
    m_strFolderName = m_name.GetText();
    SetWizardButtons(m_strFolderName.empty() ? PSWIZB_BACK : PSWIZB_BACK | PSWIZB_NEXT);
}
