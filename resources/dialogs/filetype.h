#pragma once
// The new file differs in type, subtype or operating system. A plain notice: "OK" only.
#define IDD_FILE_TYPE_MISMATCH 165
