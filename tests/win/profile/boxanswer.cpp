// Answers one message box of another program, as a user would: waits until a
// box with the given caption and text is shown, prints the ids of its
// buttons, clicks the button (or only waits), and waits until the box is gone.
//   boxanswer CAPTION TEXT abort|retry|ignore|ok|none [SHOT]
// With SHOT the screen is saved first through the harness's snapshot
// watcher (C:\snap\SHOT.req). Exit code 0 when answered, 2 when no such box
// appeared within a minute, 3 when the box stayed.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Box {
    const char* caption;
    const char* text;
    HWND found = nullptr;
};

std::string TextOf(HWND hwnd)
{
    char text[1024] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// The box's message: its static control with text (the icon has none).
BOOL CALLBACK FindMessage(HWND child, LPARAM lParam)
{
    char cls[32];
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && !TextOf(child).empty()) {
        *reinterpret_cast<std::string*>(lParam) = TextOf(child);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lParam)
{
    Box& box = *reinterpret_cast<Box*>(lParam);
    char cls[32];
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(hwnd) || TextOf(hwnd) != box.caption)
        return TRUE;
    std::string message;
    EnumChildWindows(hwnd, FindMessage, reinterpret_cast<LPARAM>(&message));
    if (message != box.text)
        return TRUE;
    box.found = hwnd;
    return FALSE;
}

BOOL CALLBACK ListButtons(HWND child, LPARAM lParam)
{
    char cls[32];
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Button") == 0 && IsWindowVisible(child))
        reinterpret_cast<std::vector<int>*>(lParam)->push_back(GetDlgCtrlID(child));
    return TRUE;
}

int ButtonId(const char* name)
{
    if (!std::strcmp(name, "abort")) return IDABORT;
    if (!std::strcmp(name, "retry")) return IDRETRY;
    if (!std::strcmp(name, "ignore")) return IDIGNORE;
    if (!std::strcmp(name, "ok")) return IDOK;
    return 0;
}

void Snapshot(const char* name)
{
    CreateDirectoryA("C:\\snap", nullptr);
    const std::string request = std::string("C:\\snap\\") + name + ".req";
    HANDLE h = CreateFileA(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(h);
    for (int i = 0; i < 300 && GetFileAttributesA(request.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: boxanswer CAPTION TEXT abort|retry|ignore|ok|none [SHOT]\n");
        return 2;
    }
    Box box{argv[1], argv[2]};
    for (int i = 0; i < 600 && !box.found; ++i) {
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
        if (!box.found)
            Sleep(100);
    }
    if (!box.found) {
        std::printf("no box \"%s\" with \"%s\"\n", argv[1], argv[2]);
        return 2;
    }
    std::vector<int> buttons;
    EnumChildWindows(box.found, ListButtons, reinterpret_cast<LPARAM>(&buttons));
    std::sort(buttons.begin(), buttons.end());
    std::printf("buttons=");
    for (std::size_t i = 0; i < buttons.size(); ++i)
        std::printf(i ? ",%d" : "%d", buttons[i]);
    std::printf("\n");
    std::fflush(stdout);
    if (argc > 4)
        Snapshot(argv[4]);

    const int id = ButtonId(argv[3]);
    if (id == 0)
        return 0;
    HWND button = GetDlgItem(box.found, id);
    if (!button) {
        std::printf("the box has no button %d\n", id);
        return 3;
    }
    SendMessageA(button, BM_CLICK, 0, 0);
    for (int i = 0; i < 300 && IsWindow(box.found); ++i)
        Sleep(100);
    return IsWindow(box.found) ? 3 : 0;
}
