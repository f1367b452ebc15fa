#include "app/strings.h"

std::string LoadResourceString(UINT id)
{
    // A string resource holds at most 4097 characters; LoadStringA returns
    // bytes copied, so a double-byte text needs up to twice as many.
    char buf[8200];
    const int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, buf, sizeof buf);
    return std::string(buf, length > 0 ? static_cast<std::size_t>(length) : 0);
}
