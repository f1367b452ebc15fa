#pragma once
// The wizard's install option page.
#define IDD_INSTALL_OPTION      148
#define IDC_OPTION_LIST         1002    // the options, in script order
#define IDC_OPTION_DESCRIPTION  1004    // the selected option's description
