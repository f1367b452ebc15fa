#include "framework/propsheet.h"

#include <cstring>

#include "framework/app.h"

namespace {
// The sheet whose window is being made on this thread: the sheet's callback
// carries no data of its own.
thread_local CPropertySheet* t_pCreating = nullptr;

// Extended dialog templates begin with a version of 1 and the signature 0xFFFF.
struct CDialogTemplateEx {
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
};
}  // namespace

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId) {}

void CPropertyPage::SetWizardButtons(DWORD flags) const
{
    ::PostMessageA(::GetParent(m_hWnd), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

BOOL CPropertyPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg != WM_NOTIFY)
        return CDialog::OnMessage(msg, wParam, lParam, result);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK CPropertyPage::StaticPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The sheet hands a page its own copy of the page record; the object is in its lParam.
    CDialog* page = nullptr;
    if (msg == WM_INITDIALOG)
        page = reinterpret_cast<CPropertyPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
    return RouteDialogMessage(page, hwnd, msg, wParam, lParam);
}

CPropertySheet::CPropertySheet(const std::string& caption, UINT selectPage)
    : m_strCaption(caption), m_nStartPage(selectPage)
{
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd)
        CApplication::RemoveModeless(m_hWnd);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    m_pages.push_back(page);
}

bool CPropertySheet::Create(HWND parent, DWORD style, DWORD exStyle)
{
    if (m_hWnd || m_pages.empty())
        return false;
    m_hParent = parent;
    m_dwStyle = style;
    m_dwExStyle = exStyle;

    // The common controls library must be loaded before its classes are used.
    ::InitCommonControls();
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    // The page records one after another, each of the size its dwSize says:
    // the sheet steps through them by that size.
    const size_t recordSize = PROPSHEETPAGEA_V1_SIZE;
    std::vector<BYTE> records(m_pages.size() * recordSize);
    for (size_t i = 0; i < m_pages.size(); ++i) {
        PROPSHEETPAGEA p = {};
        p.dwSize = static_cast<DWORD>(recordSize);
        p.dwFlags = PSP_DEFAULT;
        p.hInstance = instance;
        p.pszTemplate = MAKEINTRESOURCEA(m_pages[i]->GetTemplateId());
        p.pfnDlgProc = &CPropertyPage::StaticPageProc;
        p.lParam = reinterpret_cast<LPARAM>(m_pages[i]);
        std::memcpy(&records[i * recordSize], &p, recordSize);
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK | (m_bWizard ? PSH_WIZARD : 0);
    header.hwndParent = parent;
    header.hInstance = instance;
    header.pszCaption = m_strCaption.c_str();
    header.nPages = static_cast<UINT>(m_pages.size());
    header.nStartPage = m_nStartPage;
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(records.data());
    header.pfnCallback = &CPropertySheet::SheetCallback;

    t_pCreating = this;
    const INT_PTR created = ::PropertySheetA(&header);
    t_pCreating = nullptr;
    // A modeless sheet returns its window, or a value of 0 or -1 when it could not be made.
    if (created == 0 || created == -1 || !m_hWnd) {
        if (created != 0 && created != -1)
            ::DestroyWindow(reinterpret_cast<HWND>(created));
        return false;
    }
    CApplication::AddModeless(m_hWnd);
    return true;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT msg, LPARAM lParam)
{
    CPropertySheet* sheet = t_pCreating;
    if (!sheet)
        return 0;
    if (msg == PSCB_PRECREATE && lParam) {
        // The sheet's own template: the style asked for, keeping the font
        // flag that says the template carries a font.
        auto* ex = reinterpret_cast<CDialogTemplateEx*>(lParam);
        if (ex->signature == 0xFFFF) {
            ex->style = sheet->m_dwStyle | (ex->style & DS_SETFONT);
            ex->exStyle = sheet->m_dwExStyle;
        } else {
            auto* plain = reinterpret_cast<DLGTEMPLATE*>(lParam);
            plain->style = sheet->m_dwStyle | (plain->style & DS_SETFONT);
            plain->dwExtendedStyle = sheet->m_dwExStyle;
        }
    } else if (msg == PSCB_INITIALIZED) {
        sheet->SubclassWindow(hwnd);
    }
    return 0;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return -1;
    HWND current = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (current && m_pages[i]->GetSafeHwnd() == current)
            return static_cast<int>(i);
    return -1;
}

LRESULT CPropertySheet::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return 0;
        break;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_NCDESTROY:
        CApplication::RemoveModeless(m_hWnd);
        break;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

bool CPropertySheet::OnCommand(int, int, HWND)
{
    return false;
}

void CPropertySheet::OnClose()
{
    Default(WM_CLOSE, 0, 0);
}
