#pragma once
// A file of the Windows or system directory: other products may use it too.
#include "resources/dialogs/answers.h"
#define IDD_UNINSTALL_SHARED    302
#define IDC_SHARED_PATH         1120
#define ID_ANSWER_YES_ALL       1121    // "全てはい(&A)"
#define ID_ANSWER_NO_ALL        1122    // "全ていいえ(&O)"
