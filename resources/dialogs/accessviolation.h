#pragma once
// The destination file cannot be written: a sharing violation.
#define IDD_ACCESS_VIOLATION            158
#define IDC_ACCESS_VIOLATION_MESSAGE    1000
