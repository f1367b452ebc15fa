#pragma once
// Resource ids of the application itself. Each dialog of the installation
// has its own id header in dialogs/.

#define IDR_MAINFRAME           128     // icon, and the document string (first line: the title)

// Fixed texts of dialog templates (controls the program never addresses).
#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif

// String table: texts the program shows outside dialog templates.
#define IDS_SETUPINF_MISSING    200
#define IDS_NO_FILES_TO_INSTALL 201
// The system update's messages about controls (OCX) that fail to register:
// the caption, and one text per failure, "%s" the control's name.
#define IDS_UPDATE_CAPTION      202
#define IDS_OCX_CANNOT_LOAD     203
#define IDS_OCX_NOT_A_CONTROL   204
#define IDS_OCX_REGISTER_FAILED 205
// A command line setup does not understand ("%s": what is wrong), with the
// options it takes; and a response file or log it cannot use.
#define IDS_BAD_COMMAND_LINE    206
#define IDS_BAD_RESPONSE_FILE   207
