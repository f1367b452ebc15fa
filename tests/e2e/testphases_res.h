#pragma once
// Templates of the test build's stand-in phase windows.
#define IDD_TEST_WIZARD         9300
#define IDC_TEST_INSTALLDIR     9301
#define IDC_TEST_OPTION         9302
#define IDC_TEST_FOLDER         9303
#define IDD_TEST_DISKCHECK      9310
#define IDD_TEST_COPY           9320
#define IDD_TEST_UPDATE         9330
#define IDD_TEST_SHORTAGE       9340
#define IDC_TEST_RECHECK        1016
#define IDC_TEST_CONTINUE       9341
#define IDC_TEST_INFO           9350
