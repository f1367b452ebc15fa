#pragma once
// Remove the product? The first question of every uninstallation.
#include "resources/dialogs/answers.h"
#define IDD_UNINSTALL_CONFIRM   301
#define IDC_CONFIRM_MESSAGE     1110
