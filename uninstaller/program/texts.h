#pragma once
// The uninstaller's texts, from its string table (resources/uninstaller/),
// and the lines it builds from them for the progress and the report.
#include <windows.h>
#include <string>
#include <vector>

#include "uninstaller/logreader.h"
#include "uninstaller/removalplan.h"
#include "uninstaller/summary.h"

// A text of the string table ("" when it is missing).
std::string LoadText(UINT id);

// A text with its placeholders (%s, %d, %lu, %08lX, …) replaced in turn by
// the arguments, which are inserted as they stand (never read as formats).
// "%%" is a percent sign; placeholders without an argument become "".
std::string FillPlaceholders(const std::string& text, const std::vector<std::string>& args);

// "ファイル: C:\APP\A.EXE": what a step is about, for the progress dialog.
std::string DescribeStep(const CRemovalStep& step);
// "ファイル: C:\APP\A.EXE (エラー 5)": a line of the report.
std::string DescribeLeftItem(const CLeftItem& item);
// Why a log cannot be carried out.
std::string DescribeLogProblem(const std::string& logPath, const CLogReadResult& result);
