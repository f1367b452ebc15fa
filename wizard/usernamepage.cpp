#include "wizard/usernamepage.h"

#include "paths/mbcs.h"
#include "paths/pathvars.h"
#include "resources/dialogs/username.h"

bool UserNameIsLongEnough(const std::string& name, int minimum)
{
    return minimum <= 0 || name.size() >= static_cast<size_t>(minimum);
}

CUserNamePage::CUserNamePage() : CPropertyPage(IDD_USER_NAME) {}

void CUserNamePage::SetLengths(int minimum, int maximum)
{
    m_nMinLength = minimum;
    m_nMaxLength = maximum;
}

void CUserNamePage::DoDataExchange()
{
    Bind(m_name, IDC_USER_NAME);
}

BOOL CUserNamePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    // The edit control's own limit counts bytes on Windows 95 and characters
    // on Windows NT and Wine; the page keeps the byte limit itself
    // (OnNameUpdate), and this one is never the tighter of the two.
    if (m_nMaxLength > 0)
        ::SendMessageA(m_name.GetHwnd(), EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength), 0);
    return TRUE;
}

BOOL CUserNamePage::OnSetActive()
{
    Update();
    return CPropertyPage::OnSetActive();
}

bool CUserNamePage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_USER_NAME && code == EN_UPDATE) {
        OnNameUpdate();
        return true;
    }
    return CPropertyPage::OnCommand(id, code, control);
}

void CUserNamePage::OnNameUpdate()
{
    // Putting the fitted text back changes the field once more.
    if (m_bFitting)
        return;
    std::string text = m_name.GetText();
    size_t caret = 0;
    if (m_nMaxLength > 0 && FitEditToByteLimit(m_strAccepted, text, static_cast<size_t>(m_nMaxLength), caret)) {
        m_bFitting = true;
        m_name.SetText(text);
        // The caret goes behind what was kept of the insertion, counted as
        // the control counts: bytes where it keeps ANSI text (Windows), UTF-16
        // characters where it keeps Unicode (Wine). Its line length tells which.
        const std::string front = text.substr(0, caret);
        LRESULT units = ::SendMessageA(m_name.GetHwnd(), EM_LINELENGTH, 0, 0);
        WPARAM position = static_cast<WPARAM>(caret);
        if (units != static_cast<LRESULT>(text.size()))
            position = static_cast<WPARAM>(::MultiByteToWideChar(CP_ACP, 0, front.data(),
                                                                 static_cast<int>(front.size()), nullptr, 0));
        ::SendMessageA(m_name.GetHwnd(), EM_SETSEL, position, static_cast<LPARAM>(position));
        m_bFitting = false;
        ::MessageBeep(0);
    }
    Update();
}

void CUserNamePage::Update()
{
    const std::string name = m_name.GetText();
    m_strAccepted = name;
    if (m_nMinLength != 0)
        SetWizardButtons(UserNameIsLongEnough(name, m_nMinLength) ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
    SetUserName(name);
}
