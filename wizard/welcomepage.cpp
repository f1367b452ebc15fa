#include "wizard/welcomepage.h"

#include "engine/dialogtext.h"
#include "resources/dialogs/welcome.h"

CWelcomePage::CWelcomePage() : CPropertyPage(IDD_WELCOME) {}

void CWelcomePage::DoDataExchange()
{
    Bind(m_text, IDC_WELCOME_TEXT);
}

BOOL CWelcomePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    // The template's text names the product twice.
    m_text.SetText(FormatTemplateText(m_text.GetText(), {m_strProductName, m_strProductName}));
    return TRUE;
}

BOOL CWelcomePage::OnSetActive()
{
    SetWizardButtons(PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}
