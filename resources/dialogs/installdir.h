#pragma once
// The wizard's install directory page.
#define IDD_INSTALL_DIRECTORY   147
#define IDC_INSTALL_DIR_TEXT    1000    // a format: %s is the product name
#define IDC_INSTALL_DIR_CANCEL  1001    // a format: %s is the product name
#define IDC_INSTALL_DIR_BROWSE  1003    // "参照(&R)...": the directory browser
#define IDC_INSTALL_DIR_PATH    1004    // the directory
