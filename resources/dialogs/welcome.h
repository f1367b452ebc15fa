#pragma once
// The wizard's first page: welcome, with the product's name.
#define IDD_WELCOME             130
#define IDC_WELCOME_TEXT        1000    // a format: both %s are the product name
