#pragma once
#include <windows.h>
#include <string>

// The application's title: the caption of its message boxes ("Setup").
const std::string& GetAppTitle();
void SetAppTitle(const std::string& title);

// A modal message box captioned with the application's title.
int AppMessageBox(HWND owner, const std::string& text, UINT type);
