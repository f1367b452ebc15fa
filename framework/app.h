#pragma once
// The application object: start-up, the message loop, shut-down, and the
// settings file behind the profile-string functions.
#include <windows.h>
#include <memory>
#include <string>

class CWnd;
class CSingleDocTemplate;

// The string resource `id` of the program, or "" when it has none.
std::string LoadResourceString(UINT id);

class CApplication {
public:
    CApplication();
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // The one application object of the process (null before it exists).
    static CApplication* Current();

    // Entry: InitInstance; the message loop when it succeeded; ExitInstance
    // in every case. Returns the process exit code.
    int WinMain(HINSTANCE instance, int showCommand);

    virtual BOOL InitInstance() = 0;
    // Returns the exit code: the WM_QUIT code after a run, 1 after a failed start.
    virtual int ExitInstance();

    HINSTANCE GetInstance() const { return m_hInstance; }
    int GetShowCommand() const { return m_nCmdShow; }
    CWnd* GetMainWnd() const { return m_pMainWnd; }
    void SetMainWnd(CWnd* wnd) { m_pMainWnd = wnd; }

    // Settings: the Windows private-profile functions on the file named by
    // m_pszProfileName (a bare name means the Windows directory).
    std::string GetProfileString(const char* section, const char* key, const char* def) const;
    int GetProfileInt(const char* section, const char* key, int def) const;
    bool WriteProfileString(const char* section, const char* key, const char* value) const;

    // The single document template; the application owns it.
    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    // Creates the document, the frame and the view (the "new document" command).
    bool OnFileNew();

    // Modeless dialogs get their keyboard navigation from the message loop.
    static void AddModeless(HWND dialog);
    static void RemoveModeless(HWND dialog);

    // The framework's own name of the settings file (the application's name + ".INI").
    const char* m_pszProfileName = nullptr;

protected:
    // One message: FALSE when the loop should end (WM_QUIT).
    bool PumpMessage();

    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    int m_nExitCode = 0;

private:
    std::string m_strDefaultProfileName;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
};
