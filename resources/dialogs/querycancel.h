#pragma once
// "セットアップの中止": abort the installation? (IDCANCEL aborts, IDOK goes on)
#define IDD_QUERY_CANCEL        136
