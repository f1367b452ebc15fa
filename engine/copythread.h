#pragma once
// The copy worker: a thread with its own message queue that copies the file
// items one per queued message, so that a cancel requested meanwhile is seen
// before the next item starts. It reports to its copy dialog with messages
// and asks its questions on its own thread (CFileCopier).
#include <windows.h>
#include <atomic>

#include "engine/filecopier.h"
#include "framework/thread.h"
#include "script/setupdoc.h"

// Worker to dialog. wParam: bytes of an item done (or left in use); sent, so
// the bar has moved before the worker goes on.
constexpr UINT WM_COPY_PROGRESS = WM_USER + 20;
// Worker to dialog, posted, exactly one of the two per run; the worker posts
// nothing more after it. wParam 0.
constexpr UINT WM_COPY_DONE = WM_USER + 21;
constexpr UINT WM_COPY_ABORTED = WM_USER + 22;
// Dialog to worker thread: begin copying.
constexpr UINT WM_COPY_START = WM_USER + 30;
// Worker to itself: copy the next item.
constexpr UINT WM_COPY_NEXT = WM_USER + 31;

class CCopyThread : public CWorkerThread {
public:
    // Everything given must outlive the thread.
    CCopyThread(IVersionInstaller& installer, ICopyQuestions& questions, IUninstallLog& log,
                COverwriteAllFlags& overwriteAll);
    ~CCopyThread() override;

    // Before Start: the dialog to report to (its file-name line shows the
    // item being copied) and the items, not owned.
    void SetDialog(HWND dialog) { m_hDialog = dialog; }
    void SetItems(const CItemList<CFileItem>* items) { m_pItems = items; }

    CCopyGate& GetGate() { return m_gate; }
    // From the dialog: stop before the next item. A flag, not a message to
    // the thread: while the worker shows a question, that question's loop
    // would take such a message from the queue and drop it.
    void RequestCancel() { m_bCancelRequested = true; }

protected:
    void OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCopyNext();
    // Posts the final notice once.
    void End(UINT notice);

    HWND m_hDialog = nullptr;
    const CItemList<CFileItem>* m_pItems = nullptr;
    size_t m_nIndex = 0;
    int m_nCurrentDisk = 1;   // the first medium is in the drive when the copy starts
    bool m_bEnded = false;
    // Set by the dialog, read by the worker; it only ever goes from false to true.
    std::atomic<bool> m_bCancelRequested{false};
    CCopyGate m_gate;
    CFileCopier m_copier;
};
