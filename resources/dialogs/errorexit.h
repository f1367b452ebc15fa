#pragma once
// The installation was broken off: both lines name the product.
#define IDD_ERROR_EXIT          140
#define IDC_ERROR_EXIT_LINE1    1000
#define IDC_ERROR_EXIT_LINE2    1001
