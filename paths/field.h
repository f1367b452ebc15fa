#pragma once
#include <string>

// One field of a comma-separated script value. Double quotes protect
// separators and are removed when they enclose the whole field; an empty or
// missing field gives `def`. Only the first byte of `separators` is used.
std::string GetField(const std::string& line, int index, const std::string& def,
                     const std::string& separators);
