#pragma once
// The file exists at the destination: overwrite it?
#include "resources/dialogs/existingfile.h"
#define IDD_QUERY_OVERWRITE 153
