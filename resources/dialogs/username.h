#pragma once
// The wizard's user-name page.
#define IDD_USER_NAME           146
#define IDC_USER_NAME           1015    // the name field
