#pragma once
// Messages between the removal worker and the progress dialog.
#include <windows.h>

// Worker → its own queue: carry out the next step.
#define WM_REMOVAL_NEXT       (WM_APP + 10)
// Worker → dialog, posted: step wParam begins (wParam steps are done).
#define WM_REMOVAL_STEP       (WM_APP + 11)
// Worker → dialog, posted: every step is done; the results may be read.
#define WM_REMOVAL_FINISHED   (WM_APP + 12)
