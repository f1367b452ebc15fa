#pragma once
// The destination file is in use: retry (IDOK), ignore (1027) or abort (IDCANCEL)?
#define IDD_FILE_IN_USE         154
#define IDC_FILE_IN_USE_MESSAGE 1000
