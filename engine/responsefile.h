#pragma once
// The response file of an unattended installation (/f1PATH, by default
// SETUP.ISS in the Windows directory): an INI file in code page 932 that a
// run with /r records and a silent run (/s) answers from.
//
//   [Wizard]
//   UserName=...           the user-name page's name
//   InstallDir=C:\...      the install directory
//   Option=...             the install option's name (scripts with two or more)
//   ProgramFolder=...      the program folder
//   [Questions]
//   SourceOlder=Keep|Replace|ReplaceAll|Abort       the file there is newer
//   DifferentLanguage=Keep|Replace|ReplaceAll|Abort the file there differs in language or code page
//   ReadOnly=Keep|Overwrite|Abort                   the file there is read-only
//   FileInUse=Ignore|Abort                          the file there is in use
//   CannotDeleteCurrent=Delete|Abort                the file also lies elsewhere
//   DiskSpace=Continue|Abort                        a drive lacks space
//   DiskChange=Wait|Abort                           the next disk is asked for
//   DiskTimeout=SECONDS                             how long to wait for it
//
// ReplaceAll is "全てを上書き(&A)": every later file of that kind is replaced
// without a question. Names and values are matched without regard to
// letter case; a key or value the installer does not know makes the file
// malformed, so that a typing error never turns into a default silently.
#include <string>
#include <vector>

#include "profile/initext.h"

namespace ResponseKeys {
constexpr const char* kWizard = "Wizard";
constexpr const char* kUserName = "UserName";
constexpr const char* kInstallDir = "InstallDir";
constexpr const char* kOption = "Option";
constexpr const char* kProgramFolder = "ProgramFolder";
constexpr const char* kQuestions = "Questions";
constexpr const char* kSourceOlder = "SourceOlder";
constexpr const char* kDifferentLanguage = "DifferentLanguage";
constexpr const char* kReadOnly = "ReadOnly";
constexpr const char* kFileInUse = "FileInUse";
constexpr const char* kCannotDeleteCurrent = "CannotDeleteCurrent";
constexpr const char* kDiskSpace = "DiskSpace";
constexpr const char* kDiskChange = "DiskChange";
constexpr const char* kDiskTimeout = "DiskTimeout";
}  // namespace ResponseKeys

// How long a silent run waits for a disk that the response file gives no
// time-out for.
constexpr int kDefaultDiskTimeoutSeconds = 60;
// The longest time-out a response file may ask for: one day.
constexpr int kMaxDiskTimeoutSeconds = 86400;

class CResponseFile {
public:
    // Reads and checks the file. False with `error` when it does not exist,
    // cannot be read or is malformed.
    bool Load(const std::string& path, std::string& error);
    // The same over a file image (tests).
    bool Parse(const std::string& text, std::string& error);

    // The value of a key; false when the file does not give it.
    bool Get(const char* section, const char* key, std::string& value) const;
    // A question's answer, one of the words its key allows; "" when the file gives none.
    std::string Answer(const char* key) const;
    // DiskTimeout, or the default.
    int DiskTimeoutSeconds() const;

private:
    std::vector<CFileProfileSection> m_sections;
};

// The default path of the response file: SETUP.ISS in the Windows directory.
std::string DefaultResponseFilePath();

// Writes the answers of a recorded installation (/r) into the response file.
class CResponseRecorder {
public:
    // Starts a new recording: a file left by an earlier one is deleted.
    explicit CResponseRecorder(const std::string& path);
    void Set(const char* section, const char* key, const std::string& value) const;
    const std::string& GetPath() const { return m_strPath; }

private:
    std::string m_strPath;
};
