#include "framework/filedialog.h"

#include <vector>

namespace {
// Skips a "string or ordinal" field of a dialog template: 0 (none), 0xFFFF
// and one ordinal, or a terminated UTF-16 string.
const WORD* SkipStringOrOrdinal(const WORD* p)
{
    if (*p == 0)
        return p + 1;
    if (*p == 0xFFFF)
        return p + 2;
    while (*p)
        ++p;
    return p + 1;
}
}  // namespace

CFileDialog::CFileDialog(UINT templateId, DWORD flags, HWND parent)
    : CDialog(templateId, parent), m_ofn(), m_hOwner(parent)
{
    // The record as the first 32-bit systems know it: they refuse a longer one.
    m_ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    m_ofn.hInstance = ::GetModuleHandleA(nullptr);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.Flags = flags | OFN_ENABLEHOOK;
    if (templateId) {
        m_ofn.Flags |= OFN_ENABLETEMPLATE;
        m_ofn.lpTemplateName = MAKEINTRESOURCEA(templateId);
    }
    m_ofn.lpfnHook = &CFileDialog::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
}

std::string CFileDialog::TemplateCaption(UINT templateId)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
    const auto* words = loaded ? static_cast<const WORD*>(::LockResource(loaded)) : nullptr;
    if (!words)
        return std::string();
    // The fixed part: 18 bytes for a DLGTEMPLATE, 26 for a DLGTEMPLATEEX
    // (version 1, signature 0xFFFF); then menu, class and caption.
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    const WORD* p = words + (extended ? 13 : 9);
    p = SkipStringOrOrdinal(p);  // menu
    p = SkipStringOrOrdinal(p);  // window class
    const auto* caption = reinterpret_cast<const wchar_t*>(p);
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, caption, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return std::string();
    std::vector<char> text(static_cast<size_t>(bytes));
    ::WideCharToMultiByte(CP_ACP, 0, caption, -1, text.data(), bytes, nullptr, nullptr);
    return std::string(text.data());
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = m_hOwner;
    // Windows keeps a template's caption when no title is given; Wine puts
    // its own "open file" title over it. Passing the template's caption as the
    // title shows the same caption on both.
    std::string title;
    if (!m_ofn.lpstrTitle && (m_ofn.Flags & OFN_ENABLETEMPLATE)) {
        title = TemplateCaption(GetTemplateId());
        if (!title.empty())
            m_ofn.lpstrTitle = title.c_str();
    }
    SetModal(true);
    const BOOL accepted = ::GetOpenFileNameA(&m_ofn);
    SetModal(false);
    if (!title.empty())
        m_ofn.lpstrTitle = nullptr;
    // The library's window is gone; it may not have passed its last messages to the hook.
    m_hWnd = nullptr;
    return accepted ? IDOK : IDCANCEL;
}

bool CFileDialog::OnCommand(int id, int, HWND)
{
    if (id != IDOK)
        return false;
    OnOK();
    return true;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CDialog* dlg = nullptr;
    if (msg == WM_INITDIALOG)
        dlg = reinterpret_cast<CFileDialog*>(reinterpret_cast<const OPENFILENAMEA*>(lParam)->lCustData);
    return static_cast<UINT_PTR>(RouteDialogMessage(dlg, hwnd, msg, wParam, lParam));
}
