#pragma once
// Progress of the copy: the name of the file being copied and a bar that
// moves by the sizes of the files done. Its OK button is hidden.
#define IDD_COPY                132
#define IDC_COPY_FILENAME       1001
#define IDC_COPY_PROGRESS       1002
