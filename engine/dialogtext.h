#pragma once
// Texts of the question dialogs: template texts with placeholders filled in,
// and the size and date lines that describe a file.
#include <string>
#include <vector>

// Replaces the placeholders %s and %d of a template text, in order, with
// `args` (numbers already written as text) and %% with %. The arguments are
// inserted as they are: a path or product name that holds "%" is never read
// as a format. Placeholders without an argument stay as they are.
std::string FormatTemplateText(const std::string& templateText, const std::vector<std::string>& args);

// The size and date lines of a file found under `path` (FindFirstFileA;
// entries whose name begins with a dot are skipped), filled into the given
// template texts: the size in bytes, and the last-write time in local time at
// the two-second resolution of an MS-DOS time stamp (year, month, day, hour,
// minute, second). False when no file is found; the texts are then untouched.
bool DescribeFile(const std::string& path, const std::string& sizeTemplate,
                  const std::string& dateTemplate, std::string& sizeText, std::string& dateText);
