#pragma once
// Shown while the uninstaller removes: what it is removing, and how far it is.
#define IDD_UNINSTALL_PROGRESS  303
#define IDC_PROGRESS_MESSAGE    1130
#define IDC_PROGRESS_ITEM       1131
#define IDC_PROGRESS_BAR        1132
