// Shows the questions and notices of the installation one after another, as
// the command line names them with their arguments, and prints the id that
// ended each one ("NAME ID"), for tests that answer them through the GUI
// driver.
//
//   dialoghost [--worker] NAME [ARGS...] [NAME [ARGS...]]...
//
// --worker shows them on a second thread without a parent window, as the copy
// thread does. Exit code 0 when every dialog could be shown, 2 for a bad
// command line, 3 when a dialog could not be shown.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/questiondialogs.h"
#include "platform/handles.h"

namespace {
struct CKind {
    const char* pszName;
    size_t nArgs;
    std::function<INT_PTR(const std::vector<std::string>&)> show;
};

const CKind kKinds[] = {
    {"changedisk", 1, [](const std::vector<std::string>& a) { return CChangeDiskDialog(std::atoi(a[0].c_str())).DoModal(); }},
    {"querycancel", 0, [](const std::vector<std::string>&) { return CQueryCancelDialog().DoModal(); }},
    {"errorexit", 1, [](const std::vector<std::string>& a) {
         CErrorExitDialog dlg(nullptr);
         dlg.SetProductName(a[0]);
         return dlg.DoModal();
     }},
    {"nosrcfile", 1, [](const std::vector<std::string>& a) { return CErrorNoExistSrcFileDialog(a[0]).DoModal(); }},
    {"readonly", 1, [](const std::vector<std::string>& a) { return CDetectReadonlyFileDialog(a[0]).DoModal(); }},
    {"inuse", 1, [](const std::vector<std::string>& a) { return CQueryFileInUseDialog(a[0]).DoModal(); }},
    {"access", 1, [](const std::vector<std::string>& a) { return CErrorAccessViolationDialog(a[0]).DoModal(); }},
    {"cannotdelete", 1, [](const std::vector<std::string>& a) { return CQueryCannotDeleteCurrentDialog(a[0]).DoModal(); }},
    {"failwrite", 1, [](const std::vector<std::string>& a) { return CFailWriteFileDialog(a[0]).DoModal(); }},
    {"failread", 2, [](const std::vector<std::string>& a) { return CFailReadFileDialog(a[0], a[1]).DoModal(); }},
    {"overwrite", 2, [](const std::vector<std::string>& a) { return CQueryOverwriteDialog(a[0], a[1]).DoModal(); }},
    {"srcold", 2, [](const std::vector<std::string>& a) { return CQuerySrcOldFileDialog(a[0], a[1]).DoModal(); }},
    // The plain notices: IDD_NO_TEMP_FILE, IDD_NO_MEMORY, IDD_DISK_FULL, IDD_FILE_TYPE_MISMATCH.
    {"notice", 1, [](const std::vector<std::string>& a) {
         return CDialog(static_cast<UINT>(std::atoi(a[0].c_str()))).DoModal();
     }},
};

struct CShow {
    const CKind* kind;
    std::vector<std::string> args;
};

DWORD ShowAll(const std::vector<CShow>& shows)
{
    DWORD failed = 0;
    for (const CShow& s : shows) {
        INT_PTR result = s.kind->show(s.args);
        std::printf("%s %lld\n", s.kind->pszName, static_cast<long long>(result));
        std::fflush(stdout);
        if (result == -1)
            failed = 3;
    }
    return failed;
}

DWORD WINAPI Worker(LPVOID param)
{
    return ShowAll(*static_cast<const std::vector<CShow>*>(param));
}
}  // namespace

int main(int argc, char** argv)
{
    bool worker = false;
    std::vector<CShow> shows;
    for (int i = 1; i < argc;) {
        std::string name = argv[i++];
        if (name == "--worker") {
            worker = true;
            continue;
        }
        const CKind* kind = nullptr;
        for (const CKind& k : kKinds)
            if (name == k.pszName)
                kind = &k;
        if (!kind || static_cast<size_t>(argc - i) < kind->nArgs) {
            std::fprintf(stderr, "dialoghost: unknown dialog or missing arguments: %s\n", name.c_str());
            return 2;
        }
        CShow show{kind, {}};
        for (size_t n = 0; n < kind->nArgs; ++n)
            show.args.push_back(argv[i++]);
        shows.push_back(show);
    }
    if (!worker)
        return static_cast<int>(ShowAll(shows));

    CKernelHandle thread(::CreateThread(nullptr, 0, &Worker, &shows, 0, nullptr));
    if (!thread)
        return 3;
    // The first thread keeps its queue served while the worker asks, like the
    // user-interface thread beside the copy thread.
    HANDLE handles[] = {thread.Get()};
    while (::MsgWaitForMultipleObjects(1, handles, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    DWORD code = 3;
    ::GetExitCodeThread(thread.Get(), &code);
    return static_cast<int>(code);
}
