#pragma once
// A read-only file at the destination: overwrite it?
#define IDD_READONLY_FILE           143
#define IDC_READONLY_FILE_MESSAGE   1000
#define IDC_READONLY_FILE_DONT_ASK  1014
