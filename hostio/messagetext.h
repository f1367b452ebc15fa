#pragma once
// The vendor tools' messages are patterns with numbered places ("{0}",
// "{1}", ...) filled with a finding's words.
#include <string>
#include <vector>

std::string FillMessage(const std::string& pattern, const std::vector<std::string>& args);
