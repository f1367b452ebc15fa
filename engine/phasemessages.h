#pragma once
// The messages with which each phase window reports its end to the main view
// (the engine's disk-space and copy dialogs, the wizard, the system update).
// The values are fixed: the wizard and the engine's dialogs post them, and
// they are always posted, never sent, so that the phase window's own handling
// has returned before the view acts on the phase's end.
#include <windows.h>

// From the wizard sheet. wParam: 1 finished, 2 cancelled (the user confirmed).
constexpr UINT WM_WIZARD_FINISHED = WM_USER;
// From the copy dialog. wParam: 1 all files copied, 2 aborted.
constexpr UINT WM_COPY_FINISHED = WM_USER + 1;
// From the system-update dialog. wParam: 1 (the only value posted).
constexpr UINT WM_UPDATE_FINISHED = WM_USER + 2;
// From the disk-space dialog. wParam: 2 a drive lacks space, any other value enough space.
constexpr UINT WM_DISKSPACE_RESULT = WM_USER + 10;

// wParam values of the phase messages.
constexpr WPARAM PHASE_DONE = 1;
constexpr WPARAM PHASE_CANCELLED = 2;       // WM_WIZARD_FINISHED, WM_COPY_FINISHED
constexpr WPARAM DISKSPACE_SHORT = 2;       // WM_DISKSPACE_RESULT
