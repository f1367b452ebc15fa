#pragma once
// Resource ids of the uninstaller (VMUNST10.EXE) outside its dialog
// templates: the icon and the string table. Each dialog has its own id
// header beside this one.

#define IDR_UNINSTALLER         128     // icon

#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif

// Title of the message boxes.
#define IDS_UNINSTALL_TITLE     400

// The uninstallation cannot start.
#define IDS_NO_PRODUCTS         410
#define IDS_LOG_UNREADABLE      411     // %s log, %lu system error
#define IDS_LOG_DAMAGED         412     // %s log
#define IDS_LOG_DAMAGED_AT      413     // %s log, %d line

// Report: the headline, and the note on files deleted at the next restart.
#define IDS_REPORT_ALL_REMOVED  420     // %s product
#define IDS_REPORT_ITEMS_LEFT   421     // %s product
#define IDS_REPORT_RESTART      422

// What a step or a record is about (its label in the progress and the report).
#define IDS_KIND_CONTROL        430
#define IDS_KIND_SHORTCUT       431
#define IDS_KIND_PROGRAM_FOLDER 432
#define IDS_KIND_GROUP          433
#define IDS_KIND_INI_KEY        434
#define IDS_KIND_INI_SECTION    435
#define IDS_KIND_INI_FILE       436
#define IDS_KIND_FILE           437
#define IDS_KIND_REGISTRATION   438
#define IDS_KIND_LOG            439
#define IDS_KIND_DIRECTORY      440

// Why something is left (after the item, in the report).
#define IDS_LEFT_AT_RESTART     450
#define IDS_LEFT_NOT_EMPTY      451
#define IDS_LEFT_OTHER_PRODUCT  452
#define IDS_LEFT_ERROR          453     // %lu system error
#define IDS_LEFT_NOT_A_CONTROL  454
#define IDS_LEFT_UNREGISTER     455     // %08lX result of the control
#define IDS_LEFT_NO_PROGMAN     456
#define IDS_LEFT_PROGMAN_REFUSED 457
#define IDS_LEFT_NOT_A_FILE     458
#define IDS_LEFT_NOT_A_DIRECTORY 459

// Why a record of the log is refused.
#define IDS_REFUSED_NOT_FULL_PATH   470
#define IDS_REFUSED_ROOT            471
#define IDS_REFUSED_WINDOWS_DIR     472
#define IDS_REFUSED_SYSTEM_DIR      473
#define IDS_REFUSED_SHELL_FOLDER    474
#define IDS_REFUSED_SYSTEM_INI      475
#define IDS_REFUSED_AMBIGUOUS_INI   476
#define IDS_REFUSED_UNINSTALL_KEY   477
#define IDS_REFUSED_NOT_BELOW_KEY   478
#define IDS_REFUSED_NO_PROGMAN      479
#define IDS_REFUSED_GROUP_NAME      480
