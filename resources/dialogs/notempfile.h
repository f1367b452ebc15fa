#pragma once
// No temporary file can be created. A plain notice: "OK" only.
#define IDD_NO_TEMP_FILE 155
