#pragma once
// The end: what could not be removed, and what goes at the next restart.
#define IDD_UNINSTALL_REPORT    304
#define IDC_REPORT_MESSAGE      1140
#define IDC_REPORT_LIST         1141
#define IDC_REPORT_RESTART      1142
