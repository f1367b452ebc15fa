#pragma once
// The section "Config" of a setup script as the Windows private-profile
// functions read it (the installer reads "Config" through them, every other
// section with its own parser): lines end at CR or LF, blanks around lines,
// names and values go, a header's name is trimmed and runs to the line's
// last "]", the first section whose name matches without regard to ASCII
// letter case is the one read, and a value loses one pair of enclosing
// quotes. Platform-free, so that the vendor tools read "Config" as the
// installer will.
#include <string>
#include <vector>

struct CProfileEntry {
    std::string m_strName;
    std::string m_strValue;   // as GetPrivateProfileString returns it
    int m_nLine = 0;
};

struct CProfileSectionRead {
    bool m_bFound = false;
    int m_nLine = 0;                     // of the header read
    std::vector<CProfileEntry> m_entries;
    std::vector<int> m_duplicateLines;   // headers of later sections of the same name
};

CProfileSectionRead ReadProfileSection(const std::string& text, const std::string& wanted);

// The value the private-profile functions return for a key of a section
// read above (the first key whose name matches without regard to ASCII
// case), or `def` when there is none.
std::string ProfileValue(const CProfileSectionRead& section, const std::string& key, const std::string& def);

// Blanks as the private-profile functions trim them.
bool IsProfileBlank(char c);
std::string TrimProfileBlanks(const std::string& s);

char UpperAscii(char c);
bool SameIgnoringAsciiCase(const std::string& a, const std::string& b);
