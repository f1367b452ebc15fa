#pragma once
// The directory browser of the install directory page: the common dialog
// library's old-style open-file dialog on a template of the installer's own.
// The controls with the library's ids (dlgs.h) are run by the library; those
// that only choosing a file needs are there with zero size or hidden, so that
// the library finds them.
#include <dlgs.h>

#define IDD_BROWSE              134
#define IDC_BROWSE_PATH         stc1    // 1088: an edit where the library writes the current directory
#define IDC_BROWSE_HELP         psh16   // 1039: hidden when the dialog opens

// The question when the path typed does not exist: a format, %s is the path.
#define IDS_BROWSE_CREATE_QUESTION 1340
#define IDS_BROWSE_CAPTION      1341
