#pragma once
// The line formats of the setup script's item sections, one table each: the
// fields of a line's value, in order, with what each holds, its default,
// how it is read and whether path variables are expanded in it when the
// installation uses it. The installer builds its items from these tables
// (script/itemlines.*) and the script checker checks lines against the same
// tables, so both read a script by one set of rules.
//
// Every line is key=value; the key runs to its first blank (the installer's
// own INI parser, profile/initext.h), the value is split into fields at
// commas with GetField (paths/field.h: double quotes protect commas and are
// removed when they enclose a whole field, blanks stay), and an empty or
// missing field takes the field's default. Nothing is validated while the
// installer loads: an integer is read up to its first non-digit, and a word
// that is not one of a keyword field's words takes the field's fallback.
#include <cstdint>
#include <string>

enum class FieldType {
    Text,      // taken as it stands
    Integer,   // decimal: leading blanks, optional sign, digits to the first non-digit
    Keyword,   // one of a list of words; any other text takes the fallback
};

struct KeywordValue {
    const char* m_pszWord;
    int32_t m_nValue;
};

struct FieldFormat {
    const char* m_pszName;            // what the field holds, for messages
    FieldType m_type;
    const char* m_pszDefault;         // used when the field is empty or missing
    const KeywordValue* m_pKeywords;  // Keyword: the words, ended by a null word
    int32_t m_nFallback;              // Keyword: the value of any other text
    bool m_bIgnoreCase;               // Keyword: ASCII letter case is ignored
    bool m_bExpanded;                 // path variables are expanded when it is used
    bool m_bRequired;                 // a line without it does nothing sensible
};

struct LineFormat {
    const char* m_pszSection;         // the plain section's name ("InstallFiles")
    const char* m_pszOptionSection;   // the option's own section: "%s::" + this
    FieldFormat m_key;                // the line's key, read like a field
    const FieldFormat* m_pFields;
    int m_nFields;                    // fields after the last are ignored
};

// The formats, in the order the installation applies them.
extern const LineFormat kOptionLine;     // InstallOption: name=type,description
extern const LineFormat kFileLine;       // InstallFiles
extern const LineFormat kIniLine;        // IniUpdates
extern const LineFormat kRegLine;        // RegUpdates
extern const LineFormat kOcxLine;        // RegisterOcx
extern const LineFormat kExeLine;        // Executes
extern const LineFormat kLogoTextLine;   // Logo, kind "T"
extern const LineFormat kLogoOtherLine;  // Logo, any other kind

// Field positions of each format.
enum OptionField { kOptionType, kOptionDescription };
enum FileField {
    kFileDisk, kFileSourceSubdir, kFileSourceName, kFileReserved, kFileDestDir, kFileDestName,
    kFileSize, kFileFlags, kFileShortcut,
};
enum IniField { kIniSection, kIniKey, kIniValue, kIniMode };
enum RegField { kRegKeyPath, kRegValueName, kRegType, kRegData, kRegFlags };
enum OcxField { kOcxPath, kOcxKeep };
enum ExeField { kExeWorkDir, kExeWait, kExeShow, kExeTimeout, kExeArguments };
enum LogoField { kLogoKind, kLogoSize, kLogoFont, kLogoText };   // text items
enum LogoOtherField { kLogoOtherKind, kLogoOtherText };

// Values of the keyword fields. Registry roots are the predefined key
// handles' numbers; types and show commands are the Windows constants.
namespace script_values {
constexpr int32_t kClassesRoot = static_cast<int32_t>(0x80000000u);
constexpr int32_t kCurrentUser = static_cast<int32_t>(0x80000001u);
constexpr int32_t kLocalMachine = static_cast<int32_t>(0x80000002u);
constexpr int32_t kUsers = static_cast<int32_t>(0x80000003u);
constexpr int32_t kRegSz = 1;
constexpr int32_t kRegBinary = 3;
constexpr int32_t kRegDword = 4;
constexpr int32_t kShowHide = 0;
constexpr int32_t kShowNormal = 1;
constexpr int32_t kShowMinimize = 6;
constexpr int32_t kShowMaximize = 3;
}  // namespace script_values

// The keys of the section "Config", read through the Windows private-profile
// functions (names match without regard to letter case). Booleans are the
// exact text "TRUE"; anything else is false.
enum class ConfigForm {
    Path,           // may hold path variables
    Text,
    Boolean,        // the whole value
    UserNamePage,   // flag,minimum length,maximum length
    Uninstall,      // flag,uninstall key name,shortcut name
};
struct ConfigKey {
    const char* m_pszName;
    ConfigForm m_form;
    const char* m_pszDefault;
};
extern const ConfigKey kConfigKeys[];
extern const int kConfigKeyCount;
constexpr const char kConfigSection[] = "Config";
constexpr const char kCommonPrefix[] = "Common::";

// Which format a logo line's value has: by its kind field.
const LineFormat& LogoLineFormat(const std::string& value);

// The text of field `index` of a line's value: the field's default when it
// is empty or missing. `index` must be below the format's field count.
std::string FieldText(const LineFormat& format, const std::string& value, int index);
// The field read by its type (Integer or Keyword).
int32_t FieldNumber(const LineFormat& format, const std::string& value, int index);
// A keyword field's value for a text (the key of a registry or logo line).
int32_t KeywordNumber(const FieldFormat& field, const std::string& text);
// TRUE when text is one of a keyword field's words.
bool IsKeyword(const FieldFormat& field, const std::string& text);
