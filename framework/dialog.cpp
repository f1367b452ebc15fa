#include "framework/dialog.h"

#include "framework/app.h"

std::string CDialogItem::GetText() const
{
    return GetWindowTextString(m_hWnd);
}

void CDialogItem::SetText(const std::string& text)
{
    ::SetWindowTextA(m_hWnd, text.c_str());
}

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_hParent(parent) {}

CDialog::~CDialog()
{
    if (m_hWnd && !m_bModal)
        DestroyWindow();
}

const char* CDialog::TemplateIdProperty()
{
    return "SetupDialogId";
}

INT_PTR CDialog::DoModal()
{
    m_bModal = true;
    INT_PTR result = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId),
                                       m_hParent, &CDialog::StaticDialogProc,
                                       reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return result;
}

bool CDialog::Create(HWND parent)
{
    m_bModal = false;
    m_hParent = parent;
    HWND h = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId),
                                  parent, &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (h)
        CApplication::AddModeless(h);
    return h != nullptr;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (m_bModal)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow();
}

std::string CDialog::GetItemText(int id) const
{
    return GetWindowTextString(GetItem(id));
}

void CDialog::SetItemText(int id, const std::string& text)
{
    ::SetDlgItemTextA(m_hWnd, id, text.c_str());
}

void CDialog::Bind(CDialogItem& item, int id)
{
    item.m_id = id;
    item.m_hWnd = GetItem(id);
}

bool CDialog::OnCommand(int id, int /*code*/, HWND /*control*/)
{
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

BOOL CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return FALSE;
}

INT_PTR CDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        DoDataExchange();
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                         : FALSE;
    default: {
        LRESULT result = 0;
        if (!OnMessage(msg, wParam, lParam, result))
            return FALSE;
        // Messages whose answer is the procedure's return value; for the others
        // the answer goes through DWLP_MSGRESULT.
        switch (msg) {
        case WM_CTLCOLORDLG: case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORMSGBOX:
        case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(result);
        default:
            ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
    }
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RouteDialogMessage(msg == WM_INITDIALOG ? reinterpret_cast<CDialog*>(lParam) : nullptr,
                              hwnd, msg, wParam, lParam);
}

INT_PTR CDialog::RouteDialogMessage(CDialog* dlg, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG && dlg) {
        AttachObject(hwnd, dlg);
        if (dlg->m_templateId)
            ::SetPropA(hwnd, TemplateIdProperty(),
                       reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(dlg->m_templateId)));
    } else {
        dlg = static_cast<CDialog*>(CWnd::FromHandle(hwnd));
    }
    if (!dlg)
        return FALSE;

    INT_PTR result = FALSE;
    try {
        result = dlg->DialogProc(msg, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (msg == WM_NCDESTROY) {
        DetachObject(hwnd);
        ::RemovePropA(hwnd, TemplateIdProperty());
        CApplication::RemoveModeless(hwnd);
        dlg->m_hWnd = nullptr;
        dlg->PostNcDestroy();
    }
    return result;
}
