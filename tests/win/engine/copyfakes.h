#pragma once
// Stand-ins for what the copy talks to: a version installer whose results
// are scripted, questions answered from a script, and an uninstall log that
// keeps its records in memory. The questions may be asked from two threads
// (the worker and, for the copy dialog's cancel question, the test's own).
#include <windows.h>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/copyquestions.h"
#include "engine/verinstall.h"
#include "services/uninstlog.h"

namespace copytest {

const char* PromptName(CopyPrompt kind);

// One VerInstallFileA result. TEMPFILE in `result` leaves the new version
// ("new") beside the destination under `temp`; a result of 0 installs it.
struct CInstallStep {
    CInstallStep(DWORD r = 0, std::string t = "ver1e3e.tmp") : result(r), temp(std::move(t)) {}
    DWORD result;
    std::string temp;
};

class CScriptedInstaller : public IVersionInstaller {
public:
    // Results of VerFindFileA, in order; when none are left: 0, with the
    // application directory as destination.
    struct CFindStep {
        CFindStep(DWORD r = 0, std::string dest = "", std::string cur = "")
            : result(r), destDir(std::move(dest)), curDir(std::move(cur))
        {
        }
        DWORD result;
        std::string destDir;   // "" = the application directory
        std::string curDir;
    };
    std::deque<CFindStep> m_find;
    // Results of VerInstallFileA, in order; when none are left: 0.
    std::deque<CInstallStep> m_install;
    // Runs before every install call (on the calling thread), with the call's number from 1.
    std::function<void(int)> m_onInstall;

    // What was called: "find flags=.. name=.. app=..", "install flags=.. dest=.. temp=..".
    std::vector<std::string> m_calls;
    int InstallCalls() const;

    DWORD FindFile(DWORD flags, const std::string& fileName, const std::string& winDir,
                   const std::string& appDir, std::string& curDir, std::string& destDir) override;
    DWORD InstallFile(DWORD flags, const std::string& srcName, const std::string& destName,
                      const std::string& srcDir, const std::string& destDir, const std::string& curDir,
                      std::string& tempFile) override;

private:
    mutable std::mutex m_lock;
    int m_nInstallCalls = 0;
};

class CScriptedQuestions : public ICopyQuestions {
public:
    // The answers in order; a question beyond them is answered IDCANCEL (and
    // shows up in the record).
    std::deque<INT_PTR> m_answers;
    // Runs when a question is asked, before it is answered (on the asking thread).
    std::function<void(const CCopyQuestion&)> m_onAsk;

    INT_PTR Ask(const CCopyQuestion& question) override;
    // "SourceOlder path=C:\..\A.DLL temp=ver1.tmp", one line per question.
    std::vector<std::string> Asked() const;
    // Just the kinds, comma-separated: "ChangeDisk,Cancel".
    std::string Kinds() const;

private:
    mutable std::mutex m_lock;
    std::vector<std::string> m_asked;
    std::vector<std::string> m_kinds;
};

class CRecordingLog : public IUninstallLog {
public:
    std::vector<std::string> Records() const;
    void LogDeleteFile(const std::string& path) override { Add("DeleteFile " + path); }
    void LogCreatedDirectory(const std::string& path) override { Add("CreatedDirectory " + path); }
    void LogDeleteShortCut(const std::string& path) override { Add("DeleteShortCut " + path); }
    void LogDeleteProgramGroup(const std::string& name) override { Add("DeleteProgramGroup " + name); }
    void LogUnregisterOcx(const COcxItem& item) override { Add("UnregisterOcx " + item.m_strPath); }
    void LogDeleteIniFile(const std::string& path) override { Add("DeleteIniFile " + path); }
    void LogDeleteIniSection(const CIniItem& item) override { Add("DeleteIniSection " + item.m_strFile); }
    void LogDeleteIniKeyword(const CIniItem& item) override { Add("DeleteIniKeyword " + item.m_strFile); }
    void LogDeleteIniValue(const CIniItem& item) override { Add("DeleteIniValue " + item.m_strFile); }

private:
    void Add(const std::string& line);
    mutable std::mutex m_lock;
    std::vector<std::string> m_records;
};

// Writes `bytes` into a file (created or replaced).
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace copytest
