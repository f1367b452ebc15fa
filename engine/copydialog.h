#pragma once
// The copy as the user sees it: a modeless dialog over the main view with
// the name of the item being copied and a bar that moves by the sizes of the
// items done, and the worker (CCopyThread) that does the copying. At the end
// it posts WM_COPY_FINISHED to the view: 1 all items processed, 2 aborted.
#include <windows.h>
#include <cstdint>
#include <memory>

#include "engine/copythread.h"
#include "framework/dialog.h"

// The bar's position, 0 to 100, after `reported` of `count` items whose
// sizes add up to `copied` of `total` bytes. Sizes decide; when every item
// has size 0 the number of items does. 64 bits: a total of several GB, or
// one past 21 MB times 100, must not wrap.
int CopyProgressPercent(uint64_t copied, uint64_t total, size_t reported, size_t count);

class CCopyDialog : public CDialog {
public:
    // Everything given must outlive the dialog.
    CCopyDialog(ICopyQuestions& questions, IVersionInstaller& installer, IUninstallLog& log,
                COverwriteAllFlags& overwriteAll = ProcessOverwriteAllFlags());
    ~CCopyDialog() override;

    // The file items, set before Create; not owned.
    void SetItems(const CItemList<CFileItem>* items) { m_pItems = items; }
    // Creates the dialog (not yet shown) over the main view, which gets
    // WM_COPY_FINISHED. Copying starts at once.
    bool Create(HWND view);

protected:
    BOOL OnInitDialog() override;
    // The hidden OK button (and Enter) does nothing.
    void OnOK() override {}
    // "キャンセル" and Escape: asks whether to stop, with the worker held at
    // its next safe point meanwhile; the dialog stays open either way.
    void OnCancel() override;
    BOOL OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnCopyProgress(WPARAM bytes);
    void OnCopyEnded(WPARAM result);
    // Ends the worker and deletes it; also when it is inside a question (the
    // installer is going away): its questions are closed, it stops at its
    // next safe point, and messages it sends to this thread meanwhile are
    // answered, so this never waits on a worker that waits for us.
    void EndWorker();

    ICopyQuestions& m_questions;
    IVersionInstaller& m_installer;
    IUninstallLog& m_log;
    COverwriteAllFlags& m_overwriteAll;
    const CItemList<CFileItem>* m_pItems = nullptr;
    HWND m_hView = nullptr;
    std::unique_ptr<CCopyThread> m_pWorker;
    uint64_t m_nTotalSize = 0;
    uint64_t m_nCopiedSize = 0;
    size_t m_nReported = 0;
    bool m_bFinished = false;
    // While the cancel question is open, the end of the copy waits for its answer.
    bool m_bAskingCancel = false;
    WPARAM m_pendingEnd = 0;
    // Cleared when the object goes, for a handler that outlives it inside
    // the cancel question (the main window destroyed meanwhile).
    std::shared_ptr<bool> m_pAlive = std::make_shared<bool>(true);
};
