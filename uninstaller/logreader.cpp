#include "uninstaller/logreader.h"

#include <algorithm>
#include <cstddef>
#include <set>

#include "services/uninstlogformat.h"
#include "uninstaller/text.h"

namespace ul = uninstall_log;

// The log is read with a scanner of its own rather than the installer's
// script parser: that parser cuts a key at its first blank and keeps lines
// without "=", where a log written by the private-profile functions has
// "key=value" lines only; anything else in a section of the log means the
// file is not what the installer wrote, and the log is refused.

namespace {

// "0", "1", … as the writer's "%d" makes them: no sign, no leading zero, and
// few enough digits for an int counter.
bool ParseRecordKey(const std::string& key, unsigned long& number)
{
    if (key.empty() || key.size() > 9 || (key[0] == '0' && key.size() > 1))
        return false;
    number = 0;
    for (char c : key) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + static_cast<unsigned long>(c - '0');
    }
    return true;
}

// The log's sections and where their records go; the index of each in the
// reader's table of sections seen.
struct CKnownSection {
    const char* m_pszName;
    CLogRecords CUninstallLog::*m_pRecords;   // null for [Config]
};

const CKnownSection kSections[] = {
    {ul::kDeleteFile, &CUninstallLog::m_files},
    {ul::kDeleteDirectory, &CUninstallLog::m_directories},
    {ul::kDeleteShortCut, &CUninstallLog::m_shortcuts},
    {ul::kDeleteProgramGroup, &CUninstallLog::m_groups},
    {ul::kUnregisterOcx, &CUninstallLog::m_controls},
    {ul::kDeleteIniFile, &CUninstallLog::m_iniFiles},
    {ul::kDeleteIniSection, &CUninstallLog::m_iniSections},
    {ul::kDeleteIniKeyword, &CUninstallLog::m_iniKeys},
    {ul::kDeleteIniValue, &CUninstallLog::m_iniValues},
    {ul::kConfig, nullptr},
};
constexpr int kSectionCount = static_cast<int>(sizeof kSections / sizeof kSections[0]);

class CLogParser {
public:
    CLogReadResult Parse(const std::string& bytes);

private:
    // Handles one line (without its line end); false on a problem.
    bool Line(const std::string& raw);
    bool Fail(LogProblem problem)
    {
        m_result.m_problem = problem;
        m_result.m_nLine = m_nLine;
        return false;
    }

    CLogReadResult m_result;
    int m_nLine = 0;
    int m_nCurrent = -1;          // index into kSections, -1 outside the log's sections
    bool m_seen[kSectionCount] = {};
    std::set<unsigned long> m_keys[kSectionCount];
    bool m_bProductSeen = false;
    bool m_bRegSeen = false;
};

CLogReadResult CLogParser::Parse(const std::string& bytes)
{
    if (bytes.size() > kMaxLogBytes) {
        m_result.m_problem = LogProblem::TooLarge;
        return m_result;
    }
    if (bytes.find('\0') != std::string::npos) {
        m_result.m_problem = LogProblem::NulByte;
        return m_result;
    }
    // Every line the private-profile functions write ends with CR LF, the
    // last one too; a file that ends inside a line was cut off while it was
    // written, and its last record may be a shortened path.
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') {
        m_nLine = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
        Fail(LogProblem::UnterminatedLine);
        return m_result;
    }
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = bytes.size();
        ++m_nLine;
        if (!Line(bytes.substr(pos, end - pos))) {
            m_result.m_log = CUninstallLog();    // nothing of a refused log is passed on
            return m_result;
        }
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r')
            ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    m_nLine = 0;
    CUninstallLog& log = m_result.m_log;
    if (!m_seen[kSectionCount - 1])
        Fail(LogProblem::NoConfig);
    else if (log.m_strProduct.empty())
        Fail(LogProblem::NoProduct);
    else if (log.m_strReg.empty())
        Fail(LogProblem::NoReg);
    if (m_result.m_problem != LogProblem::None) {
        m_result.m_log = CUninstallLog();
        return m_result;
    }
    for (const CKnownSection& section : kSections) {
        if (!section.m_pRecords)
            continue;
        CLogRecords& records = log.*section.m_pRecords;
        std::stable_sort(records.begin(), records.end(),
                         [](const CLogRecord& a, const CLogRecord& b) { return a.m_nKey < b.m_nKey; });
    }
    return m_result;
}

bool CLogParser::Line(const std::string& raw)
{
    const std::string line = TrimBlanks(raw);
    if (line.empty() || line[0] == ';')
        return true;
    if (line[0] == '[') {
        const std::size_t close = line.find(']');
        if (close == std::string::npos)
            return Fail(LogProblem::BadHeader);
        const std::string name = TrimBlanks(line.substr(1, close - 1));
        m_nCurrent = -1;
        for (int i = 0; i < kSectionCount; ++i) {
            if (EqualNoCase(name, kSections[i].m_pszName)) {
                if (m_seen[i])
                    return Fail(LogProblem::DuplicateSection);
                m_seen[i] = true;
                m_nCurrent = i;
            }
        }
        return true;
    }
    if (m_nCurrent < 0)
        return true;      // before the first section, or in one the log does not know
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return Fail(LogProblem::BadLine);
    const std::string key = TrimBlanks(line.substr(0, equals));
    const std::string value = TrimBlanks(line.substr(equals + 1));
    CUninstallLog& log = m_result.m_log;
    const CKnownSection& section = kSections[m_nCurrent];
    if (!section.m_pRecords) {
        // [Config]: the two values the uninstaller needs; others are not its concern.
        if (EqualNoCase(key, ul::kProduct)) {
            if (m_bProductSeen)
                return Fail(LogProblem::DuplicateKey);
            m_bProductSeen = true;
            log.m_strProduct = value;
        } else if (EqualNoCase(key, ul::kReg)) {
            if (m_bRegSeen)
                return Fail(LogProblem::DuplicateKey);
            m_bRegSeen = true;
            log.m_strReg = value;
        }
        return true;
    }
    CLogRecord record;
    if (!ParseRecordKey(key, record.m_nKey))
        return Fail(LogProblem::BadKey);
    if (!m_keys[m_nCurrent].insert(record.m_nKey).second)
        return Fail(LogProblem::DuplicateKey);
    record.m_strValue = value;
    (log.*section.m_pRecords).push_back(record);
    return true;
}

}  // namespace

CLogReadResult ReadUninstallLog(const std::string& bytes)
{
    return CLogParser().Parse(bytes);
}
