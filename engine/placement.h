#pragma once
// Where the engine's modeless notices appear.
#include <windows.h>

// Moves a dialog to the middle of its parent's client area (the main view,
// which covers the screen); size and z-order stay. Nothing without a parent.
void CentreOverParentClient(HWND dialog, HWND parent);
