#pragma once
// Reading the windows of other processes the way the system lets a person's
// tools read them: texts through marshalled WM_GETTEXT (with a time limit, so
// a program that hangs does not hang the driver), states from styles.
#include <windows.h>
#include <string>
#include <vector>

// The template id property that every dialog of the application framework
// carries (CDialog::TemplateIdProperty); 0 when the window has none.
UINT TemplateIdOf(HWND hwnd);
std::string ClassOf(HWND hwnd);
std::string TextOf(HWND hwnd);
// Control id as a dialog template stores it (16 bits: -1 reads as 65535).
int ControlIdOf(HWND hwnd);
DWORD ProcessOf(HWND hwnd);

// A message box: a dialog-class window without a template id whose controls
// are only statics and buttons, its text being the static with id 65535.
bool IsMessageBox(HWND hwnd);
// The text of a message box: its static with id 65535 (0xFFFF).
std::string MessageBoxText(HWND hwnd);

// Visible top-level windows of other processes, topmost first.
std::vector<HWND> VisibleTopLevelWindows();
// Direct children (dialog controls), in tab order.
std::vector<HWND> ChildrenOf(HWND hwnd);
// The controls of a window as a person sees them: its direct children, then
// the controls of each visible dialog inside it (the page a property sheet
// shows; the pages it hides are left out).
std::vector<HWND> ControlsOf(HWND hwnd);
// The visible top-level window that shows a child dialog of template `id`
// (a property sheet showing that page); null when none.
HWND FindWindowShowingPage(UINT id);
// The first window of class `className` among the visible top-level windows of
// other processes and all their descendants; null when none.
HWND FindWindowOfClass(const std::string& className);

// One line describing a top-level window (UTF-8), and one per control.
std::string DescribeWindow(HWND hwnd);
std::string DescribeControl(HWND hwnd);
