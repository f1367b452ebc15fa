#pragma once
// The application's own dialogs: the About box and the closing dialog.
#include <windows.h>

#include "framework/dialog.h"

// Shown by the About command (ID_APP_ABOUT to the main frame); no menu
// offers it, since the full-screen frame has none.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND parent = nullptr);
};

// Tells the user that the installation is complete.
class CSetupSuccessfullDialog : public CDialog {
public:
    explicit CSetupSuccessfullDialog(HWND parent);

protected:
    BOOL OnInitDialog() override;
};
