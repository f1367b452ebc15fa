#pragma once
// A source file cannot be read: the installation stops.
#define IDD_FAIL_READ           161
#define IDC_FAIL_READ_FILE      1000
#define IDC_FAIL_READ_DISK      1001
