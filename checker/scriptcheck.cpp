#include "checker/scriptcheck.h"

#include <algorithm>
#include <map>
#include <set>

#include "paths/expansion.h"
#include "paths/field.h"
#include "paths/mbcs.h"
#include "profile/initext.h"
#include "profile/binaryrule.h"
#include "profile/intrule.h"
#include "script/configtext.h"
#include "script/lineformat.h"

namespace {

// The number of fields GetField sees in a value: commas outside double quotes.
int CountFields(const std::string& value)
{
    int count = 1;
    bool inQuotes = false;
    for (char c : value) {
        if (c == '"')
            inQuotes = !inQuotes;
        else if (c == ',' && !inQuotes)
            ++count;
    }
    return count;
}

// The integer rule reads the whole text: blanks, a sign, digits, blanks.
bool IsWholeInteger(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsProfileBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digits)
        return false;
    while (i < text.size() && IsProfileBlank(text[i]))
        ++i;
    return i == text.size();
}

class CChecker {
public:
    CChecker(const std::string& script, IMedium* medium) : m_script(script), m_pMedium(medium) {}

    std::vector<CFinding> Run();

private:
    void Report(int line, MessageId id, std::vector<std::string> args = {})
    {
        CFinding finding;
        finding.m_nLine = line;
        finding.m_id = id;
        finding.m_args = std::move(args);
        m_findings.push_back(std::move(finding));
    }

    void ReadOptions();
    void CheckConfig();
    void CheckSections();
    void ClassifyUnread(const CFileProfileSection& section);
    void CheckLines(const CFileProfileSection& section, const LineFormat* format);
    void CheckLine(const CFileProfileEntry& entry, const LineFormat& format);
    void CheckField(int line, const FieldFormat& field, const std::string& text);
    void CheckPathVariables(int line, const std::string& text);
    void CheckBoolean(int line, const char* key, const std::string& value);
    void CheckFileOnMedium(const CFileProfileEntry& entry);
    void CheckMediumFiles();

    const std::string& m_script;
    IMedium* m_pMedium;
    std::vector<CFileProfileSection> m_sections;
    std::vector<std::string> m_options;
    bool m_bUninstall = true;
    std::set<int> m_missingDisks;
    std::vector<CFinding> m_findings;
};

// The item formats whose sections come as plain, "Common::" and option ones.
const LineFormat* const kItemFormats[] = {&kFileLine, &kIniLine, &kRegLine, &kOcxLine, &kExeLine};

void CChecker::ReadOptions()
{
    for (const CFileProfileSection& section : m_sections) {
        if (section.m_strName != kOptionLine.m_pszSection)
            continue;
        std::map<std::string, int> seen;
        for (const CFileProfileEntry& entry : section.m_entries) {
            if (entry.m_strValue.empty())
                continue;   // no option, reported with the lines
            const auto first = seen.find(entry.m_strKey);
            if (first != seen.end())
                Report(entry.m_nLine, MessageId::OptionDuplicate,
                       {entry.m_strKey, std::to_string(first->second)});
            else
                seen.emplace(entry.m_strKey, entry.m_nLine);
            m_options.push_back(entry.m_strKey);
        }
        break;   // only the first section of that name is read
    }
}

void CChecker::CheckBoolean(int line, const char* key, const std::string& value)
{
    if (value == "TRUE")
        return;
    // Spellings that mean true to a person but false to the installer.
    static const char* const kMeantTrue[] = {"TRUE", "YES", "ON", "1", "Y"};
    for (const char* word : kMeantTrue) {
        if (SameIgnoringAsciiCase(value, word)) {
            Report(line, MessageId::BooleanReadAsFalse, {key, value});
            return;
        }
    }
}

void CChecker::CheckConfig()
{
    const CProfileSectionRead config = ReadProfileSection(m_script, kConfigSection);
    if (!config.m_bFound) {
        Report(0, MessageId::NoConfig);
        return;
    }
    for (int line : config.m_duplicateLines)
        Report(line, MessageId::SectionDuplicate, {kConfigSection, std::to_string(config.m_nLine)});

    std::map<std::string, int> firstLine;   // known key -> its line
    for (const CProfileEntry& entry : config.m_entries) {
        if (entry.m_strName.empty() || entry.m_strName[0] == ';')
            continue;   // comments
        const ConfigKey* key = nullptr;
        for (int i = 0; i < kConfigKeyCount; ++i) {
            if (SameIgnoringAsciiCase(entry.m_strName, kConfigKeys[i].m_pszName))
                key = &kConfigKeys[i];
        }
        if (!key) {
            const ConfigKey* nearest = nullptr;
            int best = 3;
            for (int i = 0; i < kConfigKeyCount; ++i) {
                const int d = EditDistance(entry.m_strName, kConfigKeys[i].m_pszName);
                if (d <= best) {
                    best = d;
                    nearest = &kConfigKeys[i];
                }
            }
            if (nearest)
                Report(entry.m_nLine, MessageId::ConfigMisspeltKey, {entry.m_strName, nearest->m_pszName});
            else
                Report(entry.m_nLine, MessageId::ConfigUnknownKey, {entry.m_strName});
            continue;
        }
        const auto first = firstLine.find(key->m_pszName);
        if (first != firstLine.end()) {
            Report(entry.m_nLine, MessageId::ConfigDuplicateKey, {entry.m_strName, std::to_string(first->second)});
            continue;
        }
        firstLine.emplace(key->m_pszName, entry.m_nLine);
        const std::string& value = entry.m_strValue;
        const auto field = [&](int index) { return GetField(value, index, "", ","); };
        switch (key->m_form) {
        case ConfigForm::Path:
            CheckPathVariables(entry.m_nLine, value);
            if (value.empty())
                Report(entry.m_nLine, MessageId::EmptyInstallDir);
            break;
        case ConfigForm::Text:
            if (std::string(key->m_pszName) == "Product" && value.empty())
                Report(entry.m_nLine, MessageId::EmptyProduct);
            break;
        case ConfigForm::Boolean:
            CheckBoolean(entry.m_nLine, key->m_pszName, value);
            break;
        case ConfigForm::UserNamePage: {
            CheckBoolean(entry.m_nLine, key->m_pszName, field(0));
            for (int i = 1; i <= 2; ++i) {
                const std::string n = field(i);
                if (!n.empty() && !IsWholeInteger(n))
                    Report(entry.m_nLine, MessageId::IntegerTrailingText,
                           {i == 1 ? "minimum length" : "maximum length", n,
                            std::to_string(ParseScriptInt(n))});
            }
            const int32_t minimum = ParseScriptInt(field(1));
            const int32_t maximum = ParseScriptInt(field(2));
            if (maximum > 0 && minimum > maximum)
                Report(entry.m_nLine, MessageId::UserNameLimits,
                       {std::to_string(minimum), std::to_string(maximum)});
            break;
        }
        case ConfigForm::Uninstall:
            CheckBoolean(entry.m_nLine, key->m_pszName, field(0));
            m_bUninstall = field(0) == "TRUE";
            if (m_bUninstall && field(1).empty())
                Report(entry.m_nLine, MessageId::EmptyUninstallKey);
            break;
        }
    }
    // Settings left out take defaults that are worth knowing.
    if (!firstLine.count("Product"))
        Report(config.m_nLine, MessageId::EmptyProduct);
    if (!firstLine.count("InstallDir"))
        Report(config.m_nLine, MessageId::EmptyInstallDir);
    if (!firstLine.count("Uninstall"))
        Report(config.m_nLine, MessageId::EmptyUninstallKey);
}

void CChecker::CheckPathVariables(int line, const std::string& text)
{
    std::size_t i = 0;
    while ((i = text.find('$', i)) != std::string::npos) {
        std::size_t j = i + 1;
        while (j < text.size() &&
               ((text[j] >= 'A' && text[j] <= 'Z') || (text[j] >= 'a' && text[j] <= 'z')))
            ++j;
        if (j == i + 1 || j >= text.size() || text[j] != '$') {
            ++i;
            continue;
        }
        const std::string token = text.substr(i, j - i + 1);
        bool known = false;
        const char* nearest = nullptr;
        int best = 3;
        for (int v = 0; v < kPathVarCount; ++v) {
            const char* candidate = PathVarToken(static_cast<PathVar>(v));
            if (SameIgnoringAsciiCase(token, candidate)) {
                known = true;
                break;
            }
            const int d = EditDistance(token, candidate);
            if (d <= best) {
                best = d;
                nearest = candidate;
            }
        }
        if (!known) {
            if (nearest)
                Report(line, MessageId::MisspeltPathVariable, {token, nearest});
            else
                Report(line, MessageId::UnknownPathVariable, {token});
        }
        i = j + 1;
    }
}

void CChecker::CheckField(int line, const FieldFormat& field, const std::string& text)
{
    if (text.empty())
        return;
    switch (field.m_type) {
    case FieldType::Integer:
        if (!IsWholeInteger(text))
            Report(line, MessageId::IntegerTrailingText,
                   {field.m_pszName, text, std::to_string(ParseScriptInt(text))});
        break;
    case FieldType::Keyword:
        if (!IsKeyword(field, text)) {
            std::string words;
            std::string fallback;
            for (const KeywordValue* k = field.m_pKeywords; k->m_pszWord; ++k) {
                words += std::string(words.empty() ? "" : ", ") + k->m_pszWord;
                if (fallback.empty() && k->m_nValue == field.m_nFallback)
                    fallback = k->m_pszWord;
            }
            if (fallback.empty())
                fallback = std::to_string(field.m_nFallback);
            Report(line, MessageId::KeywordFallback, {field.m_pszName, text, words, fallback});
        }
        break;
    case FieldType::Text:
        break;
    }
    if (field.m_bExpanded)
        CheckPathVariables(line, text);
}

void CChecker::CheckLine(const CFileProfileEntry& entry, const LineFormat& format)
{
    const int line = entry.m_nLine;
    const std::string& value = entry.m_strValue;
    CheckField(line, format.m_key, entry.m_strKey);

    const int count = CountFields(value);
    int lastRequired = -1;
    for (int i = 0; i < format.m_nFields; ++i) {
        if (format.m_pFields[i].m_bRequired)
            lastRequired = i;
    }
    if (count <= lastRequired) {
        int missing = count;
        while (!format.m_pFields[missing].m_bRequired)
            ++missing;
        Report(line, MessageId::TooFewFields,
               {std::to_string(count), format.m_pFields[missing].m_pszName, std::to_string(missing + 1)});
    }
    if (count > format.m_nFields)
        Report(line, MessageId::TooManyFields, {std::to_string(count), std::to_string(format.m_nFields)});
    for (int i = 0; i < format.m_nFields && i < count; ++i) {
        const FieldFormat& field = format.m_pFields[i];
        const std::string text = GetField(value, i, "", ",");
        if (field.m_bRequired && text.empty())
            Report(line, MessageId::RequiredFieldEmpty, {field.m_pszName, std::to_string(i + 1)});
        CheckField(line, field, text);
    }

    if (&format == &kFileLine) {
        const int32_t disk = FieldNumber(format, value, kFileDisk);
        if (disk < 1)
            Report(line, MessageId::DiskNumberInvalid, {std::to_string(disk)});
        else if (m_pMedium)
            CheckFileOnMedium(entry);
    } else if (&format == &kIniLine) {
        const int32_t mode = FieldNumber(format, value, kIniMode);
        const int low = mode & 7;
        if (low == 0 || low > 4)
            Report(line, MessageId::IniModeNothing, {std::to_string(mode)});
        else if (low == 4 && FieldText(format, value, kIniSection).empty())
            Report(line, MessageId::IniModeDeletesFile, {entry.m_strKey});
    } else if (&format == &kRegLine && FieldNumber(format, value, kRegType) == script_values::kRegBinary) {
        // The installer parses the data with the same rule and writes
        // nothing at all when it is malformed.
        const std::string data = FieldText(format, value, kRegData);
        std::vector<unsigned char> bytes;
        std::size_t bad = 0;
        if (!ParseScriptBinary(data, bytes, &bad))
            Report(line, MessageId::BinaryDataMalformed, {data, std::to_string(bad + 1)});
    } else if (&format == &kLogoOtherLine) {
        Report(line, MessageId::LogoNotPainted, {GetField(value, kLogoOtherKind, "", ",")});
    }
}

void CChecker::CheckLines(const CFileProfileSection& section, const LineFormat* format)
{
    for (const CFileProfileEntry& entry : section.m_entries) {
        if (entry.m_strValue.empty()) {
            Report(entry.m_nLine, MessageId::NoValue, {entry.m_strKey});
            continue;
        }
        CheckLine(entry, format ? *format : LogoLineFormat(entry.m_strValue));
    }
}

void CChecker::ClassifyUnread(const CFileProfileSection& section)
{
    // Every name the installer reads, to find what the author meant.
    std::vector<std::string> names = {kOptionLine.m_pszSection, kLogoTextLine.m_pszSection};
    for (const LineFormat* f : kItemFormats) {
        names.push_back(f->m_pszSection);
        names.push_back(std::string(kCommonPrefix) + f->m_pszSection);
        for (const std::string& option : m_options)
            names.push_back(option + "::" + f->m_pszOptionSection);
    }
    const std::string& name = section.m_strName;
    for (const std::string& candidate : names) {
        if (SameIgnoringAsciiCase(name, candidate)) {
            Report(section.m_nLine, MessageId::SectionCase, {name, candidate});
            return;
        }
    }
    const std::size_t colons = name.find("::");
    if (colons != std::string::npos) {
        const std::string prefix = name.substr(0, colons);
        const std::string suffix = name.substr(colons + 2);
        bool itemSuffix = false;
        for (const LineFormat* f : kItemFormats) {
            itemSuffix = itemSuffix || SameIgnoringAsciiCase(suffix, f->m_pszSection) ||
                         SameIgnoringAsciiCase(suffix, f->m_pszOptionSection);
        }
        const bool knownPrefix =
            SameIgnoringAsciiCase(prefix + "::", kCommonPrefix) ||
            std::any_of(m_options.begin(), m_options.end(),
                        [&](const std::string& o) { return SameIgnoringAsciiCase(o, prefix); });
        if (itemSuffix && !knownPrefix) {
            Report(section.m_nLine, MessageId::SectionNoSuchOption, {name, prefix});
            return;
        }
    }
    const std::string* nearest = nullptr;
    int best = 2;
    for (const std::string& candidate : names) {
        const int d = EditDistance(name, candidate);
        if (d <= best) {
            best = d;
            nearest = &candidate;
        }
    }
    if (nearest)
        Report(section.m_nLine, MessageId::SectionMisspelt, {name, *nearest});
    else
        Report(section.m_nLine, MessageId::SectionUnknown, {name});
}

void CChecker::CheckSections()
{
    std::map<std::string, int> firstLine;   // exact name -> header line
    std::set<std::string> optionsWithSections;
    bool singleOptionReported = false;
    for (const CFileProfileSection& section : m_sections) {
        const std::string& name = section.m_strName;
        if (SameIgnoringAsciiCase(name, kConfigSection))
            continue;   // read through the private-profile rules
        const LineFormat* format = nullptr;
        bool known = false;
        if (name == kOptionLine.m_pszSection) {
            known = true;
            format = &kOptionLine;
        } else if (name == kLogoTextLine.m_pszSection) {
            known = true;   // the format follows each line's kind
        }
        for (const LineFormat* f : kItemFormats) {
            if (name == f->m_pszSection || name == std::string(kCommonPrefix) + f->m_pszSection) {
                known = true;
                format = f;
            }
            for (const std::string& option : m_options) {
                if (name == option + "::" + f->m_pszOptionSection) {
                    known = true;
                    format = f;
                    optionsWithSections.insert(option);
                    if (m_options.size() == 1 && !singleOptionReported) {
                        Report(section.m_nLine, MessageId::SingleOption, {option});
                        singleOptionReported = true;
                    }
                }
            }
        }
        if (!known) {
            ClassifyUnread(section);
            continue;
        }
        const auto first = firstLine.find(name);
        if (first != firstLine.end()) {
            Report(section.m_nLine, MessageId::SectionDuplicate, {name, std::to_string(first->second)});
            continue;
        }
        firstLine.emplace(name, section.m_nLine);
        CheckLines(section, format);
    }
    if (m_options.size() >= 2) {
        for (const CFileProfileSection& section : m_sections) {
            if (section.m_strName != kOptionLine.m_pszSection)
                continue;
            for (const CFileProfileEntry& entry : section.m_entries) {
                if (!entry.m_strValue.empty() && !optionsWithSections.count(entry.m_strKey))
                    Report(entry.m_nLine, MessageId::OptionWithoutSections, {entry.m_strKey});
            }
            break;
        }
    }
}

void CChecker::CheckFileOnMedium(const CFileProfileEntry& entry)
{
    const std::string& value = entry.m_strValue;
    const int32_t disk = FieldNumber(kFileLine, value, kFileDisk);
    std::string root;
    if (!FindDiskRoot(*m_pMedium, disk, root)) {
        if (m_missingDisks.insert(disk).second) {
            const std::string dir = "DISK" + std::to_string(disk);
            Report(entry.m_nLine, MessageId::DiskMissing, {std::to_string(disk), dir + "\\", dir});
        }
        return;
    }
    std::string subdir = FieldText(kFileLine, value, kFileSourceSubdir);
    if (subdir.find('$') != std::string::npos)
        return;   // depends on the installation
    while (!subdir.empty() && subdir[0] == '\\')
        subdir.erase(0, 1);
    if (!subdir.empty() && subdir.back() != '\\')
        subdir += '\\';
    const std::string relative = subdir + FieldText(kFileLine, value, kFileSourceName);
    const std::string path = root + relative;
    long long size = 0;
    if (!m_pMedium->IsFile(path)) {
        Report(entry.m_nLine, MessageId::SourceMissing, {relative, std::to_string(disk)});
    } else if (m_pMedium->InstalledSize(path, size)) {
        const int32_t declared = FieldNumber(kFileLine, value, kFileSize);
        if (declared != size)
            Report(entry.m_nLine, MessageId::SizeDiffers, {std::to_string(declared), std::to_string(size)});
    }
}

void CChecker::CheckMediumFiles()
{
    std::string root;
    if (!FindDiskRoot(*m_pMedium, 1, root)) {
        if (m_missingDisks.insert(1).second)
            Report(0, MessageId::DiskMissing, {"1", "DISK1\\", "DISK1"});
        return;
    }
    if (!m_pMedium->IsFile(root + "_SETUP.EX_") && !m_pMedium->IsFile(root + "_SETUP.EXE"))
        Report(0, MessageId::SetupFileMissing, {"_SETUP.EX_", "_SETUP.EXE"});
    if (m_bUninstall && !m_pMedium->IsFile(root + "VMUNST10.EX_"))
        Report(0, MessageId::UninstallerMissing);
}

std::vector<CFinding> CChecker::Run()
{
    std::vector<int32_t> before;
    m_sections = ParseIniText(m_script.data(), static_cast<int32_t>(m_script.size()), &before);
    for (int32_t line : before)
        Report(line, MessageId::LineBeforeSection);
    ReadOptions();
    CheckConfig();
    CheckSections();
    if (m_pMedium)
        CheckMediumFiles();
    std::stable_sort(m_findings.begin(), m_findings.end(),
                     [](const CFinding& a, const CFinding& b) { return a.m_nLine < b.m_nLine; });
    return std::move(m_findings);
}

}  // namespace

bool FindDiskRoot(IMedium& medium, int disk, std::string& root)
{
    const std::string marker = "DISK" + std::to_string(disk);
    if (medium.IsFile(marker + "\\" + marker)) {
        root = marker + "\\";
        return true;
    }
    // A medium of one disk given as that disk's root.
    root.clear();
    return disk == 1 && medium.IsFile(marker);
}

std::vector<CFinding> CheckScript(const std::string& script, IMedium* medium)
{
    return CChecker(script, medium).Run();
}

int EditDistance(const std::string& a, const std::string& b)
{
    const std::size_t n = a.size();
    const std::size_t m = b.size();
    std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1));
    for (std::size_t i = 0; i <= n; ++i)
        d[i][0] = static_cast<int>(i);
    for (std::size_t j = 0; j <= m; ++j)
        d[0][j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= n; ++i) {
        for (std::size_t j = 1; j <= m; ++j) {
            const int cost = UpperAscii(a[i - 1]) == UpperAscii(b[j - 1]) ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && UpperAscii(a[i - 1]) == UpperAscii(b[j - 2]) && UpperAscii(a[i - 2]) == UpperAscii(b[j - 1]))
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[n][m];
}
