#pragma once
// The driver's log. Texts read from windows are in the ANSI code page (932);
// the log is UTF-8 so that the Unix side of a test shows them as they are.
#include <string>

// ANSI (code page of the system) -> UTF-8.
std::string ToUtf8(const std::string& ansi);
// A text as the scenario would write it: in double quotes, UTF-8, with "" for
// a quote and ^n, ^r, ^t, ^^ for line feed, carriage return, tab and caret,
// so that a text found can be pasted into a scenario unchanged.
std::string Quote(const std::string& ansi);
// printf into a string (no fixed buffer).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
// One line (UTF-8) to standard output: UTF-16 to a console, the bytes to a pipe or file.
void PrintLine(const std::string& utf8);
