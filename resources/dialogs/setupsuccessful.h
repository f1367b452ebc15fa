#pragma once
// The closing dialog, shown when everything is installed.
#define IDD_SETUP_SUCCESSFUL    139
