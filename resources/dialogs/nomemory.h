#pragma once
// Too little memory to expand a file. A plain notice: "OK" only.
#define IDD_NO_MEMORY 156
