#pragma once
// A scenario: the steps a person would take with the program under test, one
// per line. The file is UTF-8 (as in the repository); every word and quoted
// text is converted to the ANSI code page when the file is read, so steps
// compare and type the same bytes the program under test sees.
//
//   # a comment line; a # after a blank (outside quotes) starts a comment too
//   wait dialog 153
//   text 1000 "このフォルダには既に'FILE.DLL'ファイルが存在します。"
//   click 1012
//
// A quoted text keeps backslashes as they are (paths read naturally); inside
// it "" is a quote and ^n ^r ^t ^b ^^ are line feed, carriage return, tab,
// backspace (which `type` sends as the Backspace key's character), caret.
#include <string>
#include <vector>

struct CToken {
    std::string strText;  // ANSI
    bool bQuoted = false;
};

struct CStep {
    int nLine = 0;
    std::string strSource;        // the line as written (UTF-8), for the log
    std::vector<CToken> tokens;   // the verb first
};

// Reads and tokenizes a scenario file. On failure `error` (UTF-8) says why and
// `errorLine` names the line (0: the file as a whole).
bool ReadScenario(const std::string& path, std::vector<CStep>& steps, std::string& error,
                  int& errorLine);
// Tokenizes one line (UTF-16). False with `error` on a malformed line.
bool TokenizeLine(const std::wstring& line, std::vector<CToken>& tokens, std::string& error);
