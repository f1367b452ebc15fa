#pragma once
// The wizard's program folder page.
#define IDD_FOLDER              149
#define IDC_FOLDER_NAME         1005    // the folder's name
#define IDC_FOLDER_LIST         1006    // the proposed name, then the folders there are
