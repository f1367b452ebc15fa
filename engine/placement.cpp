#include "engine/placement.h"

void CentreOverParentClient(HWND dialog, HWND parent)
{
    if (!dialog || !parent)
        return;
    RECT area;
    RECT own;
    ::GetClientRect(parent, &area);
    ::GetWindowRect(dialog, &own);
    // A pop-up's position is in screen coordinates: the client area's
    // corner moved to the screen.
    ::MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const int x = area.left + ((area.right - area.left) - (own.right - own.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (own.bottom - own.top)) / 2;
    ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
