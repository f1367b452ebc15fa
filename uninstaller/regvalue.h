#pragma once
#include <windows.h>
#include <string>

// A string value (REG_SZ or REG_EXPAND_SZ, unexpanded) of an open key;
// FALSE when it is missing or of another type. Unlike the registry store
// (profile/regprofile.h), nothing is created by reading.
bool QueryStringValue(HKEY key, const char* name, std::string& value);
