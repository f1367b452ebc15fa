#include "engine/placement.h"

void CentreOverParentClient(HWND dialog, HWND parent)
{
    if (!dialog || !parent)
        return;
    RECT client, own;
    ::GetClientRect(parent, &client);
    ::GetWindowRect(dialog, &own);
    // The dialog is a pop-up: its position is in screen coordinates.
    POINT origin = {0, 0};
    ::ClientToScreen(parent, &origin);
    const int x = origin.x + (client.right - (own.right - own.left)) / 2;
    const int y = origin.y + (client.bottom - (own.bottom - own.top)) / 2;
    ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
