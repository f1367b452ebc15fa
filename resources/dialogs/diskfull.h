#pragma once
// The destination disk is full. A plain notice: "OK" only.
#define IDD_DISK_FULL 157
