#pragma once
// Texts of the program's string table: LoadResourceString (framework/app.h).
#include "framework/app.h"
