#include "platform/msgbox.h"

namespace {
std::string& AppTitle()
{
    static std::string title = "Setup";
    return title;
}
}  // namespace

const std::string& GetAppTitle() { return AppTitle(); }
void SetAppTitle(const std::string& title) { AppTitle() = title; }

int AppMessageBox(HWND owner, const std::string& text, UINT type)
{
    return ::MessageBoxA(owner, text.c_str(), GetAppTitle().c_str(), type);
}
