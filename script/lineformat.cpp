#include "script/lineformat.h"

#include "paths/field.h"
#include "profile/intrule.h"

namespace sv = script_values;

namespace {

constexpr bool kExpanded = true;
constexpr bool kRequired = true;

constexpr FieldFormat Text(const char* name, const char* def = "", bool expanded = false,
                           bool required = false)
{
    return {name, FieldType::Text, def, nullptr, 0, false, expanded, required};
}

constexpr FieldFormat Integer(const char* name, const char* def = "", bool required = false)
{
    return {name, FieldType::Integer, def, nullptr, 0, false, false, required};
}

constexpr FieldFormat Keyword(const char* name, const char* def, const KeywordValue* words,
                              int32_t fallback, bool ignoreCase = false)
{
    return {name, FieldType::Keyword, def, words, fallback, ignoreCase, false, false};
}

// Keywords are compared byte for byte, letter case included (scripts write
// them in capitals: "sync" or "dword" fall back), except the logo's.
const KeywordValue kOptionTypes[] = {{"FL", 1}, {"GRP", 2}, {nullptr, 0}};
const KeywordValue kRootKeys[] = {{"CLASSES_ROOT", sv::kClassesRoot},
                                  {"CURRENT_USER", sv::kCurrentUser},
                                  {"LOCAL_MACHINE", sv::kLocalMachine},
                                  {"USERS", sv::kUsers},
                                  {nullptr, 0}};
const KeywordValue kRegTypes[] = {{"SZ", sv::kRegSz}, {"BINARY", sv::kRegBinary},
                                  {"DWORD", sv::kRegDword}, {nullptr, 0}};
// "同期" (synchronous) in code page 932, spelt out so that every compiler of
// the platform-free core reads the same bytes.
const KeywordValue kWaitWords[] = {{"SYNC", 1}, {"\x93\xAF\x8A\xFA", 1}, {"ASYNC", 0}, {nullptr, 0}};
// A show word that is none of the four starts the program as if it had said
// "SHOW": a misspelt word must not leave the started program with some
// arbitrary initial window state.
const KeywordValue kShowWords[] = {{"SHOW", sv::kShowNormal}, {"HIDE", sv::kShowHide},
                                   {"MIN", sv::kShowMinimize}, {"MAX", sv::kShowMaximize},
                                   {nullptr, 0}};
const KeywordValue kCorners[] = {{"LT", 0}, {"LB", 1}, {"RT", 2}, {"RB", 3}, {nullptr, 0}};
const KeywordValue kLogoKinds[] = {{"T", 1}, {nullptr, 0}};
// The keep field of an OCX line: "0" keeps the control registered after an
// uninstallation; anything else has it unregistered.
const KeywordValue kOcxKeep[] = {{"0", 0}, {"1", 1}, {nullptr, 0}};

const FieldFormat kOptionFields[] = {
    Keyword("type", "", kOptionTypes, 0),
    Text("description"),
};

const FieldFormat kFileFields[] = {
    Integer("disk number", "", kRequired),
    Text("source subdirectory", "", kExpanded),
    Text("source file name", "", false, kRequired),
    Text("reserved"),   // scripts fill it in, nothing uses it
    Text("destination directory", "", kExpanded),
    Text("destination file name", "", false, kRequired),
    Integer("size"),
    Integer("flags", "1"),
    Text("shortcut name", "", kExpanded),
};

const FieldFormat kIniFields[] = {
    Text("section", "", kExpanded, kRequired),
    Text("key", "", kExpanded),
    Text("value", "", kExpanded),
    Integer("mode", "9"),
};

const FieldFormat kRegFields[] = {
    Text("key path", "", kExpanded, kRequired),
    Text("value name", "", kExpanded),
    Keyword("type", "", kRegTypes, sv::kRegSz),
    Text("data", "", kExpanded),
    Integer("flags"),
};

const FieldFormat kOcxFields[] = {
    Text("path", "", kExpanded, kRequired),
    Keyword("keep", "", kOcxKeep, 1),
};

const FieldFormat kExeFields[] = {
    Text("working directory", "$TmpDir$", kExpanded),
    Keyword("wait", "SYNC", kWaitWords, 0),
    Keyword("show command", "SHOW", kShowWords, sv::kShowNormal),
    Integer("time-out"),
    Text("arguments", "", kExpanded),
};

const FieldFormat kLogoTextFields[] = {
    Keyword("kind", "", kLogoKinds, 0, true),
    Integer("size", "", kRequired),
    Text("font name"),
    Text("text", "", false, kRequired),
};

// Any kind but "T": loaded and never painted.
const FieldFormat kLogoOtherFields[] = {
    Text("kind"),
    Text("text"),
};

template <std::size_t N>
constexpr int Count(const FieldFormat (&)[N])
{
    return static_cast<int>(N);
}

bool SameWord(const char* word, const std::string& text, bool ignoreCase)
{
    std::size_t i = 0;
    for (; word[i] && i < text.size(); ++i) {
        char a = word[i];
        char b = text[i];
        if (ignoreCase) {
            if (a >= 'a' && a <= 'z')
                a = static_cast<char>(a - 'a' + 'A');
            if (b >= 'a' && b <= 'z')
                b = static_cast<char>(b - 'a' + 'A');
        }
        if (a != b)
            return false;
    }
    return !word[i] && i == text.size();
}

const KeywordValue* FindKeyword(const FieldFormat& field, const std::string& text)
{
    for (const KeywordValue* k = field.m_pKeywords; k && k->m_pszWord; ++k) {
        if (SameWord(k->m_pszWord, text, field.m_bIgnoreCase))
            return k;
    }
    return nullptr;
}

}  // namespace

const LineFormat kOptionLine = {"InstallOption", nullptr, Text("option name"), kOptionFields,
                                Count(kOptionFields)};
// The option's own file section is spelt "InstallFIles", capital I, and
// names match exactly: "Full::InstallFiles" is never read.
const LineFormat kFileLine = {"InstallFiles", "InstallFIles", Text("item name"), kFileFields,
                              Count(kFileFields)};
const LineFormat kIniLine = {"IniUpdates", "IniUpdates", Text("INI file", "", kExpanded), kIniFields,
                             Count(kIniFields)};
const LineFormat kRegLine = {"RegUpdates", "RegUpdates",
                             Keyword("root key", "", kRootKeys, sv::kCurrentUser), kRegFields,
                             Count(kRegFields)};
const LineFormat kOcxLine = {"RegisterOcx", "RegisterOcx", Text("control name"), kOcxFields,
                             Count(kOcxFields)};
const LineFormat kExeLine = {"Executes", "Executes", Text("program", "", kExpanded), kExeFields,
                             Count(kExeFields)};
const LineFormat kLogoTextLine = {"Logo", nullptr, Keyword("corner", "", kCorners, 0, true),
                                  kLogoTextFields, Count(kLogoTextFields)};
const LineFormat kLogoOtherLine = {"Logo", nullptr, Keyword("corner", "", kCorners, 0, true),
                                   kLogoOtherFields, Count(kLogoOtherFields)};

const ConfigKey kConfigKeys[] = {
    {"SrcDir", ConfigForm::Text, ""},   // written by the launcher into its staged copy
    {"InstallDir", ConfigForm::Path, ""},
    {"Product", ConfigForm::Text, ""},
    {"GroupName", ConfigForm::Text, ""},
    {"ShowChooseDirPage", ConfigForm::Boolean, "TRUE"},
    {"ShowGroupNamePage", ConfigForm::Boolean, "TRUE"},
    {"ShowUserNamePage", ConfigForm::UserNamePage, "TRUE"},
    {"Uninstall", ConfigForm::Uninstall, "TRUE"},
};
const int kConfigKeyCount = static_cast<int>(sizeof kConfigKeys / sizeof kConfigKeys[0]);

const LineFormat& LogoLineFormat(const std::string& value)
{
    return FieldNumber(kLogoTextLine, value, kLogoKind) == 1 ? kLogoTextLine : kLogoOtherLine;
}

std::string FieldText(const LineFormat& format, const std::string& value, int index)
{
    return GetField(value, index, format.m_pFields[index].m_pszDefault, ",");
}

int32_t KeywordNumber(const FieldFormat& field, const std::string& text)
{
    const KeywordValue* k = FindKeyword(field, text);
    return k ? k->m_nValue : field.m_nFallback;
}

bool IsKeyword(const FieldFormat& field, const std::string& text)
{
    return FindKeyword(field, text) != nullptr;
}

int32_t FieldNumber(const LineFormat& format, const std::string& value, int index)
{
    const FieldFormat& field = format.m_pFields[index];
    const std::string text = FieldText(format, value, index);
    return field.m_type == FieldType::Keyword ? KeywordNumber(field, text) : ParseScriptInt(text);
}
