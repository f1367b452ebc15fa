#pragma once
// The file exists in another directory too: delete that one and copy (IDOK)?
#define IDD_CANNOT_DELETE_CURRENT           159
#define IDC_CANNOT_DELETE_CURRENT_MESSAGE   1000
