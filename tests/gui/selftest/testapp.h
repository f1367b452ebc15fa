#pragma once
// The GUI driver's own test program: one dialog with a control of each kind
// the driver handles.
#define IDD_DRIVER_TEST     9200
#define IDC_DRIVER_LABEL    9201
#define IDC_DRIVER_EDIT     9202
#define IDC_DRIVER_LIST     9203
#define IDC_DRIVER_COMBO    9204
#define IDC_DRIVER_CHECK    9205
#define IDC_DRIVER_NESTED   9206
#define IDC_DRIVER_QUESTION 9207
#define IDC_DRIVER_DISABLED 9208
#define IDC_DRIVER_SHORT    9209
#define IDC_DRIVER_LATE_BOX 9211
#define IDD_DRIVER_NESTED   9210
