#pragma once
// The installation's wizard: a modeless wizard-mode sheet without a Finish
// button. Next on the last page ends it; Cancel, Escape and the close box ask
// whether to abort the installation (dialog 136) and end it only when the
// user confirms. Either end destroys the sheet's window first, then posts the
// end message to the window given to Create, with wParam kFinished or
// kCancelled. The pages stay alive, so that their owner can read their
// results after the end.
#include <windows.h>

#include "framework/propsheet.h"

class CSetupSheet : public CPropertySheet {
public:
    static constexpr WPARAM kFinished = 1;
    static constexpr WPARAM kCancelled = 2;

    // endMessage: what the sheet posts to its parent window when it ends.
    explicit CSetupSheet(UINT endMessage);

protected:
    bool OnCommand(int id, int code, HWND control) override;
    void OnClose() override;
    // Asks whether to abort; ends the wizard as cancelled when the user confirms.
    virtual void QueryCancel();
    // Ends the wizard as finished.
    virtual void Finish();

private:
    // The cancel question; true when the user confirmed "中止(&X)".
    bool ConfirmCancel();
    void End(WPARAM result);

    UINT m_nEndMessage;
};
