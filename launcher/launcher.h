#pragma once
// The launcher's one run: stage the installer and the script from the
// medium, hand the medium's directory over in the staged script, run the
// staged installer and wait for it, then delete the staging directory.
#include <windows.h>
#include <string>

#include "launcher/passthrough.h"
#include "launcher/stagingdir.h"

// One of the two files the launcher stages.
struct CStagedFile {
    const char* m_names[2];    // looked for on the medium in this order
    const char* m_stagedName;  // its name in the staging directory
    UINT m_nMissingText;       // message when neither name is on the medium
    UINT m_nFailedText;        // message when installing it failed
};

class CLauncher {
public:
    // The launcher's exit code when it is started without arguments, whatever
    // happened: the installer's own exit code is not looked at. Started with
    // arguments (an unattended installation), it returns the installer's
    // exit code, and this one when the installer could not be run.
    static const int kExitCode = 1;

    // Reads the Windows directory and the launcher's own directory; the
    // command line is passed on to the installer.
    explicit CLauncher(const CPassThrough& commandLine = CPassThrough());

    // The whole run; returns the program's exit code.
    int Run();

private:
    bool StageFiles();
    bool Stage(const CStagedFile& file);
    // The first of the file's names that exists on the medium, or nullptr.
    const char* FindOnMedium(const CStagedFile& file) const;
    // Writes the medium's directory as "SrcDir" into the staged script.
    void WriteSourceDir() const;
    // Starts the staged installer and waits until it ends; its exit code in
    // `exitCode`. False when it could not be started.
    bool RunInstaller(DWORD& exitCode) const;
    // A failure of the launcher: a message box, or in a silent run a line
    // in the result file.
    void ShowMessage(UINT textId) const;

    CPassThrough m_commandLine;
    CStagingDir m_staging;
    // The launcher's own directory on the medium, without a trailing
    // backslash: "A:" for A:\SETUP.EXE, "D:\DISK1" for D:\DISK1\SETUP.EXE.
    std::string m_strSourceDir;
};
