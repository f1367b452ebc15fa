#pragma once
// The system update's worker. After the files are copied it applies the rest
// of what the setup script asks for, one item per message that it posts to
// its own queue, list after list: program items (shortcuts) for the copied
// files, INI entries, registry values, registration of controls (OCX), and
// programs to run; then it removes the working directory "$TmpDir$" and
// tells its dialog that it is done.
//
// It reaches the user-interface thread in three ways only: it sends the
// dialog the requests for the program group and for each program item and
// waits until they are done (the shell and the Program Manager conversation
// stay on that thread), it posts the end, and it reports a control that
// fails to register through IOcxNotices (a message box on this thread).
#include <windows.h>
#include <string>

#include "engine/updatelists.h"
#include "framework/thread.h"
#include "services/uninstlog.h"

// Messages of the system update.
constexpr UINT WM_UPDATE_DONE = WM_USER + 40;          // worker -> dialog, posted: everything applied
constexpr UINT WM_UPDATE_CREATEGROUP = WM_USER + 41;   // worker -> dialog, sent: make the program group
constexpr UINT WM_UPDATE_ADDITEM = WM_USER + 42;       // worker -> dialog, sent; lParam: the CFileItem*
constexpr UINT WM_UPDATE_NEXT = WM_USER + 50;          // worker -> its own queue, posted: the next step

// Why a control could not be registered.
enum class OcxFailure {
    CannotLoad,           // the file does not load: "OCX(%s)がロードできません。"
    NoRegisterEntry,      // it has no DllRegisterServer: "このファイル(%s)はOCXではありません。"
    RegistrationFailed,   // DllRegisterServer returned a failure: "OCX(%s)の登録に失敗しました。"
};

// Where the update reports controls that fail to register. Called on the
// worker thread; the update goes on with the next item when it returns.
class IOcxNotices {
public:
    virtual ~IOcxNotices() = default;
    // owner: the update dialog's window, for a message box. code: the
    // system's error of the failed load, or DllRegisterServer's result; 0
    // for a missing entry.
    virtual void OcxFailed(OcxFailure failure, const COcxItem& item, long code, HWND owner) = 0;
};

// Does a section of that exact name exist in the INI file? The file is read
// with the installer's own parser, so names compare byte for byte, letter
// case included (the private-profile functions that write the file ignore
// it). FALSE for a missing file.
bool IniFileHasSection(const std::string& path, const std::string& section);
// Does the first section of that name hold a key of that exact name?
bool IniFileHasKey(const std::string& path, const std::string& section, const std::string& key);

// The INI file an item means: a name whose second character is neither ":"
// nor "&" lies in the Windows directory. Expanded.
std::string ResolveIniFilePath(const std::string& file);

class CUpdateSystemThread : public CWorkerThread {
public:
    CUpdateSystemThread(IUninstallLog& log, IOcxNotices& ocxNotices);
    ~CUpdateSystemThread() override;

    // The window that gets the group and item requests and the end.
    void SetDialog(HWND dialog) { m_hDialog = dialog; }
    // Takes the lists (each processed from its first item) and posts the
    // first step. The thread must be started.
    bool Start(const CUpdateItemLists& lists);
    using CWorkerThread::Start;

protected:
    bool InitInstance() override;
    int ExitInstance(int quitCode) override;
    void OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // One step: the next item of the first list not yet done, or the end
    // (then false: no step follows).
    bool OnUpdateNext();
    void AddProgramItem(const CFileItem& file);
    void UpdateIni(const CIniItem& item);
    void UpdateRegistry(const CRegItem& item);
    void RegisterOcx(const COcxItem& item);
    void RunProgram(const CExeItem& item);
    void Finish();

    IUninstallLog& m_log;
    IOcxNotices& m_ocxNotices;
    HWND m_hDialog = nullptr;
    CUpdateItemLists m_lists;
    std::size_t m_nFile = 0;
    std::size_t m_nIni = 0;
    std::size_t m_nReg = 0;
    std::size_t m_nOcx = 0;
    std::size_t m_nExe = 0;
    // The group is asked for once, just before the first program item.
    bool m_bGroupCreated = false;
    bool m_bFinished = false;
    bool m_bComInitialized = false;
};
