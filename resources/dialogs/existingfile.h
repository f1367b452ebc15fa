#pragma once
// Controls shared by the two existing-file questions (overwrite, older
// source): the first line names the file; size and date of the file at the
// destination ("current") and of the new version beside it ("new").
#define IDC_EXISTING_FILE_MESSAGE   1000
#define IDC_EXISTING_CURRENT_SIZE   1023
#define IDC_EXISTING_NEW_SIZE       1025
#define IDC_EXISTING_CURRENT_DATE   1028
#define IDC_EXISTING_NEW_DATE       1029
