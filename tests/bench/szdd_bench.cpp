// The SZDD compressor's speed, and mscompress (Debian's mscompress package,
// the usual free COMPRESS.EXE) timed on the same data for comparison. Both
// report the input bytes per second and, as "size", their output in bytes.
//   <bench tree>/tests/bench/szdd_bench
// mscompress is timed as a whole program run on a file, by the processor time
// (user and system) the run takes, as the compressor is by its own processor
// time: on a busy machine neither counts the time others take. Its start-up,
// a millisecond, is included.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "compress/szdd.h"
#include "compress/szddfile.h"
#include "tests/native/szdd_samples.h"

namespace {

const std::vector<CSzddSample>& BenchSamples()
{
    static const std::vector<CSzddSample> samples = [] {
        std::vector<CSzddSample> s = {
            {"text 1 MB", TextLike(1 << 20, 21)},
            {"tables 1 MB", TableLike(1 << 20, 22)},
            {"incompressible 1 MB", RandomBytes(1 << 20, 23)},
            {"mixed 16 MB", Mixed16MB()},
            {"this program", {}},
        };
        ReadWholeFile("/proc/self/exe", s.back().m_data);
        return s;
    }();
    return samples;
}

void BM_SzddCompress(benchmark::State& state)
{
    const CSzddSample& sample = BenchSamples()[static_cast<std::size_t>(state.range(0))];
    std::vector<uint8_t> image;
    for (auto _ : state) {
        SzddCompress(sample.m_data.data(), sample.m_data.size(), 'X', image);
        benchmark::DoNotOptimize(image.data());
    }
    state.SetLabel(sample.m_strName);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(sample.m_data.size()));
    state.counters["size"] = static_cast<double>(image.size());
}
BENCHMARK(BM_SzddCompress)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void BM_Mscompress(benchmark::State& state)
{
    const CSzddSample& sample = BenchSamples()[static_cast<std::size_t>(state.range(0))];
    char dir[] = "/tmp/szdd-bench.XXXXXX";
    if (!mkdtemp(dir)) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const std::string file = std::string(dir) + "/f";
    const std::string output = file + "_";
    WriteWholeFile(file, sample.m_data);
    const std::string command = "mscompress " + file;
    auto childSeconds = [] {
        rusage usage = {};
        getrusage(RUSAGE_CHILDREN, &usage);
        return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    for (auto _ : state) {
        std::remove(output.c_str());   // mscompress does not overwrite
        const double before = childSeconds();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("mscompress failed");
            break;
        }
        state.SetIterationTime(childSeconds() - before);
    }
    std::vector<uint8_t> image;
    ReadWholeFile(output, image);
    std::system(("rm -rf " + std::string(dir)).c_str());
    state.SetLabel(sample.m_strName);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(sample.m_data.size()));
    state.counters["size"] = static_cast<double>(image.size());
}
BENCHMARK(BM_Mscompress)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_SzddExpand(benchmark::State& state)
{
    const CSzddSample& sample = BenchSamples()[static_cast<std::size_t>(state.range(0))];
    std::vector<uint8_t> image;
    SzddCompress(sample.m_data.data(), sample.m_data.size(), 'X', image);
    std::vector<uint8_t> out;
    for (auto _ : state) {
        SzddExpand(image.data(), image.size(), out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetLabel(sample.m_strName);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(sample.m_data.size()));
}
BENCHMARK(BM_SzddExpand)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace
