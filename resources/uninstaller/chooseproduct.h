#pragma once
// Started without a log: which of the registered products to remove.
#define IDD_UNINSTALL_CHOOSE    300
#define IDC_CHOOSE_LIST         1100
