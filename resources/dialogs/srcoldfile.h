#pragma once
// The file at the destination is newer than the one to copy: overwrite it anyway?
#include "resources/dialogs/existingfile.h"
#define IDD_QUERY_SRC_OLD_FILE 162
