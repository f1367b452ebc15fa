#include "uninstaller/regvalue.h"

#include <vector>

bool QueryStringValue(HKEY key, const char* name, std::string& value)
{
    value.clear();
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    // One more byte: a value stored without its terminating NUL still ends.
    std::vector<char> data(size + 1, '\0');
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    value = data.data();
    return true;
}
