#pragma once
// Notice shown while the free space of the drives is checked (no title bar;
// its OK and cancel buttons are hidden and do nothing).
#define IDD_CHECK_DISK_SPACE    145
