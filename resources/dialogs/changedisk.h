#pragma once
// Request to insert disk N (no title bar).
#define IDD_CHANGE_DISK         144
#define IDC_CHANGE_DISK_MESSAGE 1000
