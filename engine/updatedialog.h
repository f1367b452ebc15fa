#pragma once
// The system-update notice (template 138, modeless): "システム情報を更新して
// います。しばらくお待ちください。" while the update's worker applies the
// script's program items, INI entries, registry values, controls and
// programs. It starts the worker when it opens and does, on the
// user-interface thread, what the worker asks of the shell: the program
// group and each program item (engine/programgroup.h). When the worker is
// done it ends the Program Manager conversation where there is one, ends the
// worker, posts the finished message to the window that started it and
// closes itself. Enter and Escape do nothing: the update cannot be stopped.
#include <windows.h>
#include <memory>

#include "engine/programgroup.h"
#include "engine/updatethread.h"
#include "framework/dialog.h"

class CUpdateSystemDialog : public CDialog {
public:
    // notify: the window that gets finishedMessage (wParam 1) when the update
    // is done, just before the notice closes (the install sequence's view);
    // the notice is centred over it. group: where the program items go.
    CUpdateSystemDialog(HWND notify, UINT finishedMessage, IUninstallLog& log,
                        IOcxNotices& ocxNotices, std::unique_ptr<CProgramGroup> group);
    ~CUpdateSystemDialog() override;

    // What to apply; set before the window is created.
    void SetLists(const CUpdateItemLists& lists) { m_lists = lists; }

    // The worker, while it runs.
    const CUpdateSystemThread* GetThread() const { return m_pThread.get(); }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    BOOL OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnUpdateDone();
    // Ends a worker that is still at work (the notice is closed early): it
    // stops before its next item; a control message it shows is closed, and
    // what it asks meanwhile is answered without doing anything.
    void EndWorker();

    HWND m_hNotify;
    UINT m_nFinishedMessage;
    IUninstallLog& m_log;
    IOcxNotices& m_ocxNotices;
    std::unique_ptr<CProgramGroup> m_pGroup;
    CUpdateItemLists m_lists;
    std::unique_ptr<CUpdateSystemThread> m_pThread;
    bool m_bEnding = false;
};
