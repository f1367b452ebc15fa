#pragma once
// Resource ids of the launcher.

#define IDI_LAUNCHER                100     // the program's icon

// String table: the caption and the messages that end the launcher.
#define IDS_CAPTION                 200
#define IDS_INSTALLER_MISSING       201
#define IDS_INSTALLER_FAILED        202
#define IDS_SCRIPT_MISSING          203
#define IDS_SCRIPT_FAILED           204
#define IDS_INSTALLER_NOT_STARTED   205
