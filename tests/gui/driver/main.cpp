// guidriver: runs a scenario against the windows of a program under test that
// runs beside it (see scenario.h for the file, runner.cpp for the steps).
// Exit code: 0 every step held, 1 a step failed, 2 the scenario is malformed.
#include <windows.h>
#include <cstdlib>
#include <string>
#include <vector>

#include "output.h"
#include "runner.h"
#include "scenario.h"

namespace {
int Usage()
{
    PrintLine("usage: guidriver [--timeout MS] [--program NAME.EXE] SCENARIO");
    return 2;
}
}  // namespace

int main(int argc, char** argv)
{
    DWORD timeout = 10000;
    std::string path;
    std::string program;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--timeout" && i + 1 < argc)
            timeout = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--program" && i + 1 < argc)
            program = argv[++i];
        else if (path.empty() && arg.compare(0, 2, "--") != 0)
            path = arg;
        else
            return Usage();
    }
    if (path.empty())
        return Usage();

    std::vector<CStep> steps;
    std::string error;
    int errorLine = 0;
    const std::string name = ToUtf8(path);
    if (!ReadScenario(path, steps, error, errorLine)) {
        PrintLine("guidriver: " + name + (errorLine ? Format(":%d: ", errorLine) : ": ") + error);
        return 2;
    }
    CRunner runner(timeout);
    if (!program.empty())
        runner.WatchProgram(program);
    for (const CStep& step : steps) {
        try {
            runner.Check(step);
        } catch (const CSyntaxError& e) {
            PrintLine(Format("guidriver: %s:%d: %s", name.c_str(), step.nLine, e.strMessage.c_str()));
            PrintLine("  " + step.strSource);
            return 2;
        }
    }

    PrintLine("guidriver: " + name);
    for (const CStep& step : steps) {
        DWORD t0 = ::GetTickCount();
        try {
            runner.Run(step);
            PrintLine(Format("%4d  %5lu ", step.nLine, ::GetTickCount() - t0) + step.strSource);
        } catch (const CStepFailure& f) {
            PrintLine(Format("guidriver: %s:%d: FAILED", name.c_str(), step.nLine));
            PrintLine("  step:     " + step.strSource);
            PrintLine("  expected: " + f.strExpected);
            PrintLine("  found:    " + f.strFound);
            runner.PrintSituation();
            runner.TrySnapshot(Format("guidriver-failure-line%d", step.nLine));
            return 1;
        }
    }
    PrintLine(Format("guidriver: all %u steps held", static_cast<unsigned>(steps.size())));
    return 0;
}
