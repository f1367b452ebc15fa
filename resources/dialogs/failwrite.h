#pragma once
// A destination file cannot be written: the installation stops.
#define IDD_FAIL_WRITE          160
#define IDC_FAIL_WRITE_FILE     1000
#define IDC_FAIL_WRITE_DISK     1001
