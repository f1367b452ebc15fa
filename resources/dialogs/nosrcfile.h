#pragma once
// A source file named by the script is missing from the medium.
#define IDD_NO_SRC_FILE         152
#define IDC_NO_SRC_FILE_PATH    1020
