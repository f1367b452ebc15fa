#pragma once
// Reading UNINSTAL.INF whole, before anything is removed. The installer
// writes the log record by record through the Windows private-profile
// functions (services/uninstlog.h) and completes it at registration with
// [Config]; the uninstaller acts only on a log that it could read whole.
// No Windows API: the reader works on the file's bytes.
#include <string>
#include <vector>

// One record: its key (the writer's counter, "0", "1", …) and its value.
struct CLogRecord {
    unsigned long m_nKey = 0;
    std::string m_strValue;
};

// The records of one kind, in the numeric order of their keys. Keys may have
// gaps (a failed write still used up its number), and an earlier
// installation into the same directory may have left higher-numbered
// records behind the later one's: every key present counts.
using CLogRecords = std::vector<CLogRecord>;

struct CUninstallLog {
    CLogRecords m_files;          // DeleteFile
    CLogRecords m_directories;    // DeleteDirectory
    CLogRecords m_shortcuts;      // DeleteShortCut
    CLogRecords m_groups;         // DeleteProgramGroup
    CLogRecords m_controls;       // UnregisterOcx
    CLogRecords m_iniFiles;       // DeleteIniFile
    CLogRecords m_iniSections;    // DeleteIniSection
    CLogRecords m_iniKeys;        // DeleteIniKeyword
    CLogRecords m_iniValues;      // DeleteIniValue
    std::string m_strProduct;     // Config: Product
    std::string m_strReg;         // Config: Reg
};

// Why a log is not acted on. Everything but None leaves the system as it is.
enum class LogProblem {
    None,
    Unreadable,          // the file cannot be opened or read (reported by the caller)
    TooLarge,            // more than kMaxLogBytes: no log of an installation is that big
    NulByte,             // a NUL byte: a file cut off and padded, or not a text file at all
    UnterminatedLine,    // the last line has no line end: the file was cut in the middle of a line
    BadLine,             // a line of a record section that is neither a header nor key=value
    BadHeader,           // a section header without its closing bracket
    DuplicateSection,    // a section of the log twice
    BadKey,              // a record key that is not a number as the installer writes it
    DuplicateKey,        // a record key twice in its section
    NoConfig,            // no [Config]: registration, which writes it, never finished
    NoProduct,           // [Config] without a product name
    NoReg,               // [Config] without the registration's key path
};

// Logs of this size are refused whole.
constexpr std::size_t kMaxLogBytes = 16u * 1024u * 1024u;

struct CLogReadResult {
    LogProblem m_problem = LogProblem::None;
    int m_nLine = 0;              // line of the problem (from 1), 0 when it concerns the whole file
    CUninstallLog m_log;          // filled only when m_problem is None
};

// Reads the bytes of a log. Section names and the keys of [Config] ignore
// letter case, as the private-profile functions that wrote them do; sections
// the log does not know are passed over. Blanks around keys and values are
// not part of them; values are otherwise taken as they stand (the writer
// neither quotes nor escapes).
CLogReadResult ReadUninstallLog(const std::string& bytes);
