#include "framework/app.h"

#include <algorithm>
#include <vector>

#include "framework/docview.h"
#include "framework/window.h"
#include "paths/mbcs.h"

namespace {
CApplication* g_pApp = nullptr;

// Modeless dialogs of the user-interface thread.
std::vector<HWND>& ModelessDialogs()
{
    static std::vector<HWND> dialogs;
    return dialogs;
}

HWND TopLevelOf(HWND hwnd)
{
    while (hwnd && (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD))
        hwnd = ::GetParent(hwnd);
    return hwnd;
}
}  // namespace

std::string LoadResourceString(UINT id)
{
    // A string resource holds at most 4097 characters; LoadStringA returns
    // bytes copied, so a double-byte text needs up to twice as many.
    char buf[8200];
    const int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, buf, sizeof buf);
    return std::string(buf, length > 0 ? static_cast<std::size_t>(length) : 0);
}

CApplication::CApplication()
{
    g_pApp = this;
    // The framework's own settings file: the program's name with ".INI". The
    // path is read whole and its last backslash found character by character
    // (in 表.exe the first character's second byte is a backslash).
    std::vector<char> path(MAX_PATH);
    DWORD len = 0;
    for (;;) {
        len = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (len < path.size() - 1 || path.size() >= 32768)
            break;
        path.resize(path.size() * 2);
    }
    std::string name(path.data(), len);
    size_t slash = FindLastBackslash(name);
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    m_strDefaultProfileName = name + ".INI";
    m_pszProfileName = m_strDefaultProfileName.c_str();
}

CApplication::~CApplication()
{
    m_pDocTemplate.reset();
    if (g_pApp == this)
        g_pApp = nullptr;
}

CApplication* CApplication::Current()
{
    return g_pApp;
}

int CApplication::WinMain(HINSTANCE instance, int showCommand)
{
    m_hInstance = instance;
    m_nCmdShow = showCommand;
    if (!InitInstance()) {
        m_nExitCode = 1;
        return ExitInstance();
    }
    while (PumpMessage()) {
    }
    // A loop ended by anything but the main window's end leaves the window
    // open; it goes now, while everything its views rely on still exists.
    if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        m_pMainWnd->DestroyWindow();
    return ExitInstance();
}

int CApplication::ExitInstance()
{
    return m_nExitCode;
}

bool CApplication::PumpMessage()
{
    // On Windows NT (and Wine) messages are taken in their Unicode form and
    // the system converts them for each window as it dispatches them: a
    // double-byte character typed into a modeless dialog then reaches its
    // control whole, where Wine's ANSI dialog manager splits it into two bytes
    // and garbles it. Windows 95 has only the ANSI forms.
    static const bool unicode = (::GetVersion() & 0x80000000u) == 0;
    MSG msg;
    BOOL got = unicode ? ::GetMessageW(&msg, nullptr, 0, 0) : ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
        m_nExitCode = static_cast<int>(msg.wParam);
        return false;
    }
    if (got == -1)
        return true;
    // Tab, Enter and Escape in a modeless dialog go through its dialog manager.
    HWND top = TopLevelOf(msg.hwnd);
    auto& dialogs = ModelessDialogs();
    if (top && std::find(dialogs.begin(), dialogs.end(), top) != dialogs.end() &&
        (unicode ? ::IsDialogMessageW(top, &msg) : ::IsDialogMessageA(top, &msg)))
        return true;
    ::TranslateMessage(&msg);
    if (unicode)
        ::DispatchMessageW(&msg);
    else
        ::DispatchMessageA(&msg);
    return true;
}

std::string CApplication::GetProfileString(const char* section, const char* key,
                                           const char* def) const
{
    // Values of the settings file may be long; grow until the value fits.
    std::vector<char> buf(4096);
    for (;;) {
        DWORD got = ::GetPrivateProfileStringA(section, key, def, buf.data(),
                                               static_cast<DWORD>(buf.size()), m_pszProfileName);
        if (got < buf.size() - 1)
            return std::string(buf.data(), got);
        buf.resize(buf.size() * 2);
    }
}

int CApplication::GetProfileInt(const char* section, const char* key, int def) const
{
    return static_cast<int>(::GetPrivateProfileIntA(section, key, def, m_pszProfileName));
}

bool CApplication::WriteProfileString(const char* section, const char* key, const char* value) const
{
    return ::WritePrivateProfileStringA(section, key, value, m_pszProfileName) != FALSE;
}

void CApplication::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate)
{
    m_pDocTemplate = std::move(docTemplate);
}

bool CApplication::OnFileNew()
{
    // The template makes its frame the main window.
    return m_pDocTemplate && m_pDocTemplate->OpenNewDocument(m_nCmdShow);
}

void CApplication::AddModeless(HWND dialog)
{
    ModelessDialogs().push_back(dialog);
}

void CApplication::RemoveModeless(HWND dialog)
{
    auto& dialogs = ModelessDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}
