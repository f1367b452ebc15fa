#pragma once
// Ids of the answer buttons that the questions of the installation share.
// A question ends with the id of the button that answered it; IDOK and
// IDCANCEL serve where a question's answer is plain "OK" or "cancel".
#define ID_ANSWER_YES           1012    // "はい(&Y)"
#define ID_ANSWER_NO            1013    // "いいえ(&N)"
#define ID_ANSWER_OVERWRITE_ALL 1021    // "全てを上書き(&A)"
#define ID_ANSWER_IGNORE        1027    // "無視(&I)"
#define ID_ANSWER_ABORT         1030    // "中止(&X)"
