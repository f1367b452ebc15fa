// Parsing a large setup script, and the per-item work done on each line
// afterwards (splitting fields, expanding paths).
//
// Target: a script of 20,000 entries in 40 sections parses in well under
// 20 ms on the build machine (the real SETUP.INF files are a few hundred
// lines; the margin is for slow old machines and for scripts that list
// every file of a large product).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "paths/expansion.h"
#include "paths/field.h"
#include "profile/initext.h"

namespace {

// A script shaped like the real ones: CR LF line ends, a comment and a blank
// line between sections, file items with quoted descriptions, blanks around
// some "=".
std::string MakeScript(int sections, int entriesPerSection)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(sections) * entriesPerSection * 64);
    for (int s = 0; s < sections; ++s) {
        text += "; option " + std::to_string(s) + "\r\n\r\n";
        text += "[Option" + std::to_string(s) + "::Files]\r\n";
        for (int e = 0; e < entriesPerSection; ++e) {
            const std::string n = std::to_string(e);
            text += (e % 7 == 0 ? n + " = " : n + "=");
            text += "FILE" + n + ".EX_,$INSTDIR$\\BIN\\SUB" + std::to_string(e % 13) + ",\"Program file " + n +
                    "\",1\r\n";
        }
    }
    return text;
}

void BM_ParseIniText(benchmark::State& state)
{
    const int sections = static_cast<int>(state.range(0));
    const int entries = static_cast<int>(state.range(1));
    const std::string script = MakeScript(sections, entries / sections);
    for (auto _ : state) {
        std::vector<CFileProfileSection> parsed = ParseIniText(script.data(), static_cast<int32_t>(script.size()));
        benchmark::DoNotOptimize(parsed.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(script.size()));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * entries);
}
BENCHMARK(BM_ParseIniText)->Args({40, 20000})->Args({4, 400})->Unit(benchmark::kMillisecond);

void BM_GetFieldAllFields(benchmark::State& state)
{
    const std::string line = "FILE123.EX_,$INSTDIR$\\BIN\\SUB7,\"Program file, with comma\",1";
    for (auto _ : state) {
        for (int i = 0; i < 4; ++i)
            benchmark::DoNotOptimize(GetField(line, i, "", ","));
    }
}
BENCHMARK(BM_GetFieldAllFields);

class CBenchVars : public IPathVarSource {
public:
    std::string Value(PathVar v) override
    {
        switch (v) {
        case PathVar::WinDir: return "C:\\WINDOWS";
        case PathVar::SysDir: return "C:\\WINDOWS\\SYSTEM";
        case PathVar::InstDir: return "$ProgramFiles$\\Vendor\\Tool";
        case PathVar::ProgramFiles: return "C:\\Program Files";
        default: return std::string();
        }
    }
};

void BM_ExpandPathVariables(benchmark::State& state)
{
    CBenchVars vars;
    const std::string path = "$INSTDIR$\\BIN\\SUB7\\FILE123.EXE";
    for (auto _ : state) {
        std::string s = path;
        ExpandPathVariables(s, vars);
        benchmark::DoNotOptimize(s.data());
    }
}
BENCHMARK(BM_ExpandPathVariables);

}  // namespace
