#pragma once
// Resource ids of the application itself. Each dialog of the installation
// has its own id header in dialogs/.

#define IDR_MAINFRAME           128     // icon, and the document string (first line: the title)
#define IDD_ABOUTBOX            100

// String table: texts the program shows outside dialog templates.
#define IDS_SETUPINF_MISSING    200
#define IDS_NO_FILES_TO_INSTALL 201
