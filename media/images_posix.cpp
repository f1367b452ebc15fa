#include "media/output.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "hostio/hostfs.h"

extern char** environ;

namespace {

// Runs a program found on PATH, its standard input empty, its output
// (standard output and error together) kept. True when it ran and ended with 0.
bool RunTool(const std::vector<std::string>& args, std::string& output)
{
    output.clear();
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);

    // mtools converts the names it is given from the locale's character
    // set, which must therefore be UTF-8 whatever the caller's locale; it
    // must not stop to check that the image looks like a real floppy.
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "LC_ALL=", 7) != 0 && std::strncmp(*e, "MTOOLS_SKIP_CHECK=", 18) != 0)
            env.push_back(*e);
    }
    env.push_back("LC_ALL=C.UTF-8");
    env.push_back("MTOOLS_SKIP_CHECK=1");
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(&e[0]);
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    if (spawned != 0) {
        output = args[0] + ": " + std::strerror(spawned) + " (tools/install-deps installs mtools)";
        return false;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string Trimmed(const std::string& text)
{
    std::string t = text;
    while (!t.empty() && (t.back() == '\n' || t.back() == '\r' || t.back() == ' '))
        t.pop_back();
    return t;
}

}  // namespace

bool CanWriteFloppyImages()
{
    return true;
}

bool WriteFloppyImage(const CMediumKind& kind, int disk, const std::string& diskDir, const std::string& image,
                      std::string& problem)
{
    if (!kind.m_pszFormat) {
        problem = kind.m_strDescription + " is no floppy";
        return false;
    }
    std::string output;
    // A serial number of the disk's own, so that an image is the same
    // whenever the same files are written.
    char serial[16];
    std::snprintf(serial, sizeof serial, "%08X", 0x19960000u + static_cast<unsigned>(disk));
    if (!RunTool({"mformat", "-C", "-i", image, "-f", kind.m_pszFormat, "-N", serial, "::"}, output)) {
        problem = Trimmed(output);
        return false;
    }
    std::vector<std::string> names;
    HostListDirectory(diskDir, names);
    std::sort(names.begin(), names.end());
    if (names.empty())
        return true;
    std::vector<std::string> args = {"mcopy", "-s", "-m", "-i", image};
    for (const std::string& name : names)
        args.push_back(HostJoin(diskDir, name));
    args.push_back("::");
    if (!RunTool(args, output)) {
        problem = Trimmed(output);
        return false;
    }
    return true;
}
