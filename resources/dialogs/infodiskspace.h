#pragma once
// The drives that lack free space, one red owner-drawn row each (drive, free
// and needed space): go on (IDOK), check again (1016) or abort (IDCANCEL).
#define IDD_INFO_DISK_SPACE     150
#define IDC_INFO_DISK_SPACE_RECHECK 1016
#define IDC_INFO_DISK_SPACE_LIST    1018
