#include "wizard/optionpage.h"

#include "resources/dialogs/installoption.h"

CInstallOptionPage::CInstallOptionPage() : CPropertyPage(IDD_INSTALL_OPTION) {}

void CInstallOptionPage::SetOptions(const CItemList<COptionItem>* options)
{
    m_pOptions = options;
    m_strSelectedOption = options && !options->empty() ? options->front()->GetName() : std::string();
}

void CInstallOptionPage::DoDataExchange()
{
    Bind(m_description, IDC_OPTION_DESCRIPTION);
    Bind(m_list, IDC_OPTION_LIST);
}

BOOL CInstallOptionPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    // The list is not sorted: a line's index is the option's index.
    if (m_pOptions) {
        for (const auto& option : *m_pOptions)
            ::SendMessageA(m_list.GetHwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(option->GetName().c_str()));
    }
    ::SendMessageA(m_list.GetHwnd(), LB_SETCURSEL, 0, 0);
    OnSelectionChange();
    return TRUE;
}

BOOL CInstallOptionPage::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

bool CInstallOptionPage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_OPTION_LIST && code == LBN_SELCHANGE) {
        OnSelectionChange();
        return true;
    }
    return CPropertyPage::OnCommand(id, code, control);
}

void CInstallOptionPage::OnSelectionChange()
{
    const LRESULT index = ::SendMessageA(m_list.GetHwnd(), LB_GETCURSEL, 0, 0);
    if (index == LB_ERR || !m_pOptions || static_cast<size_t>(index) >= m_pOptions->size()) {
        m_description.SetText(std::string());
        m_strSelectedOption.clear();
        return;
    }
    const COptionItem& option = *(*m_pOptions)[static_cast<size_t>(index)];
    m_description.SetText(option.GetDescription());
    m_strSelectedOption = option.GetName();
}
