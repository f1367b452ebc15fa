// How long the copy takes per file, and where the time goes: the real copy
// dialog and worker install a generated medium through the system's
// VerFindFileA and VerInstallFileA and write the real uninstall log; the
// two calls and the log records are timed, and the rest is the copy's own
// (progress, file-name line, messages, path work, directory tests).
//
//   copy_bench NAME MEDIUM COUNT SIZE INSTALLDIR
//
// MEDIUM holds F000000.TX_ … (COUNT files of SIZE bytes, compressed); they are installed
// as F000000.TXT … into INSTALLDIR\D0000, \D0001, … (100 files a directory),
// each recorded in INSTALLDIR\UNINSTAL.INF. Prints one line of figures.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/copydialog.h"
#include "engine/phasemessages.h"
#include "paths/pathvars.h"

namespace {

LONGLONG Now()
{
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double Seconds(LONGLONG ticks)
{
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return double(ticks) / double(f.QuadPart);
}

// Where the worker's time goes, from the calls it makes through the seams
// (all on the worker thread): inside the two version calls, inside the log
// records, and in the gaps between them. The gap before an install call is
// the directory tests and creation; the gap after it (to the next item's
// VerFindFileA) is the progress report, the posted next-item message, the
// file-name line and the source file test.
struct CTimes {
    LONGLONG start = 0;
    LONGLONG find = 0;
    LONGLONG install = 0;
    LONGLONG fileRecords = 0;
    LONGLONG dirRecords = 0;
    LONGLONG beforeInstall = 0;    // gaps from VerFindFileA to VerInstallFileA
    LONGLONG afterInstall = 0;     // gaps from VerInstallFileA to the next VerFindFileA (or the end)
    LONGLONG toFirstItem = 0;      // dialog, worker start, first file-name line
    LONGLONG lastMark = 0;
    bool afterAnInstall = false;
    int records = 0;
};

class CTimedInstaller : public IVersionInstaller {
public:
    explicit CTimedInstaller(CTimes& times) : m_t(times) {}

    DWORD FindFile(DWORD flags, const std::string& fileName, const std::string& winDir,
                   const std::string& appDir, std::string& curDir, std::string& destDir) override
    {
        const LONGLONG start = Now();
        if (m_t.afterAnInstall)
            m_t.afterInstall += start - m_t.lastMark;
        else
            m_t.toFirstItem = start - m_t.start;
        const DWORD r = m_real.FindFile(flags, fileName, winDir, appDir, curDir, destDir);
        m_t.lastMark = Now();
        m_t.find += m_t.lastMark - start;
        return r;
    }
    DWORD InstallFile(DWORD flags, const std::string& srcName, const std::string& destName,
                      const std::string& srcDir, const std::string& destDir, const std::string& curDir,
                      std::string& tempFile) override
    {
        const LONGLONG start = Now();
        m_t.beforeInstall += start - m_t.lastMark;
        const DWORD r = m_real.InstallFile(flags, srcName, destName, srcDir, destDir, curDir, tempFile);
        m_t.lastMark = Now();
        m_t.install += m_t.lastMark - start;
        m_t.afterAnInstall = true;
        return r;
    }

private:
    CTimes& m_t;
    CVersionInstaller m_real;
};

// The uninstall log writer as the main frame drives it, timed.
class CTimedLog : public IUninstallLog {
public:
    CTimedLog(std::string logPath, CTimes& times) : m_strLogPath(std::move(logPath)), m_t(times) {}

    void LogDeleteFile(const std::string& path) override
    {
        Time(m_t.fileRecords, [&] { m_writer.DeleteFile(m_strLogPath, path); });
    }
    void LogCreatedDirectory(const std::string& path) override
    {
        Time(m_t.dirRecords, [&] { m_writer.CreatedDirectory(path); });
    }
    void LogDeleteShortCut(const std::string&) override {}
    void LogDeleteProgramGroup(const std::string&) override {}
    void LogUnregisterOcx(const COcxItem&) override {}
    void LogDeleteIniFile(const std::string&) override {}
    void LogDeleteIniSection(const CIniItem&) override {}
    void LogDeleteIniKeyword(const CIniItem&) override {}
    void LogDeleteIniValue(const CIniItem&) override {}

private:
    template <typename F>
    void Time(LONGLONG& sum, F write)
    {
        const LONGLONG start = Now();
        write();
        sum += Now() - start;
        ++m_t.records;
    }
    std::string m_strLogPath;
    CTimes& m_t;
    CUninstallLogWriter m_writer;
};

// A medium made for the benchmark raises no question; one would be a fault.
class CNoQuestions : public ICopyQuestions {
public:
    int m_nAsked = 0;
    INT_PTR Ask(const CCopyQuestion&) override
    {
        ++m_nAsked;
        return IDCANCEL;
    }
};

class CBenchView : public CWnd {
public:
    WPARAM m_result = 0;
    bool Create()
    {
        CWnd::RegisterWindowClass("CopyBenchView", 0, nullptr);
        return CreateEx(0, "CopyBenchView", "copy bench", WS_OVERLAPPED, 0, 0, 800, 600, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_COPY_FINISHED) {
            m_result = wParam;
            ::PostQuitMessage(0);
            return 0;
        }
        return Default(msg, wParam, lParam);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: copy_bench NAME MEDIUM COUNT SIZE INSTALLDIR\n");
        return 2;
    }
    const std::string name = argv[1];
    const int count = std::atoi(argv[3]);
    const int32_t size = std::atoi(argv[4]);
    const std::string installDir = argv[5];
    SetSrcDir(argv[2]);
    SetInstDir(installDir);
    ::CreateDirectoryA(installDir.c_str(), nullptr);
    // The WIN.INI list of an earlier run would only grow.
    ::WritePrivateProfileStringA(uninstall_log::kTempListSection, nullptr, nullptr, uninstall_log::kTempListFile);

    CItemList<CFileItem> items;
    uint64_t bytes = 0;
    for (int i = 0; i < count; ++i) {
        char file[16];
        std::snprintf(file, sizeof file, "F%06d", i);
        char dir[16];
        std::snprintf(dir, sizeof dir, "D%04d", i / 100);
        auto item = std::make_unique<CFileItem>();
        item->m_strName = file;
        item->m_nDisk = 1;
        item->m_strSourceName = std::string(file) + ".TX_";
        item->m_strDestDir = dir;
        item->m_strDestName = std::string(file) + ".TXT";
        item->m_nSize = size;
        bytes += uint64_t(item->m_nSize);
        item->m_nFlags = 1;
        items.push_back(std::move(item));
    }

    CBenchView view;
    if (!view.Create())
        return 3;
    CTimes times;
    CTimedInstaller installer(times);
    CTimedLog log(installDir + "\\UNINSTAL.INF", times);
    CNoQuestions questions;
    COverwriteAllFlags flags;
    times.start = Now();
    LONGLONG end = 0;
    {
        CCopyDialog dialog(questions, installer, log, flags);
        dialog.SetItems(&items);
        if (!dialog.Create(view.GetSafeHwnd()))
            return 3;
        ::ShowWindow(dialog.GetSafeHwnd(), SW_SHOW);
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (!::IsDialogMessageA(dialog.GetSafeHwnd(), &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        end = Now();
    }
    // The last gap runs to the end notice.
    times.afterInstall += end - times.lastMark;
    const double total = Seconds(end - times.start);
    const double share = total > 0 ? 100.0 / total : 0;
    auto pc = [&](LONGLONG ticks) { return Seconds(ticks) * share; };
    const bool done = view.m_result == PHASE_DONE && questions.m_nAsked == 0;
    std::printf("%s: %d files, %.1f MB, %.2f s, %.2f ms per file%s\n", name.c_str(), count, double(bytes) / 1e6,
                total, count ? total * 1000 / count : 0, done ? "" : "  (NOT COMPLETED)");
    std::printf("  VerInstallFileA %5.1f%%   outside it %5.1f%%:\n", pc(times.install), 100 - pc(times.install));
    std::printf("    log records (%d) %5.1f%%   progress, file-name line, messages, source test %5.1f%%\n",
                times.records, pc(times.fileRecords + times.dirRecords),
                pc(times.afterInstall - times.fileRecords));
    std::printf("    VerFindFileA %5.1f%%   directory tests %5.1f%%   dialog and worker start %5.1f%%\n",
                pc(times.find), pc(times.beforeInstall - times.dirRecords), pc(times.toFirstItem));
    std::fflush(stdout);
    return done ? 0 : 1;
}
