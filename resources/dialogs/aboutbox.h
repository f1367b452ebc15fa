#pragma once
// The About box of setup.
#define IDD_ABOUTBOX            100
