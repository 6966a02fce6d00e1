// Loading jokes data files of 1,000, 100,000 and 1,000,000 jokes through the document, beside
// reading the same files raw. bench/run.sh turns one run into throughputs and ratios.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "bench/JokeFiles.h"
#include "platform/base/CFile.h"
#include "platform/base/ModulePath.h"
#include "reader/store/KippAppDoc.h"
#include "reader/store/KippAppStore.h"

namespace {

std::string DataDir() {
    const char* dir = std::getenv("JOKEPAD_BENCH_DATA");
    return dir != nullptr ? dir : "bench-data";
}

// The document finds its data file beside the program under the program's name, so the
// program is stood in the data folder under the file's stem.
void PointProgramAt(const std::string& dataFile) {
    std::string stem = dataFile.substr(0, dataFile.size() - 4);
    platform::SetModulePathForTesting(CString::FromUtf8(stem));
}

void BM_LoadDocument(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string path = bench::MakeJokesDataFile(DataDir(), n);
    PointProgramAt(path);
    CKippAppStore app(u"jokepad-bench");
    for (auto _ : state) {
        auto doc = std::make_unique<CKippAppDoc>();
        if (!doc->OnNewDocument() || doc->m_jokes.GetSize() != n) {
            state.SkipWithError("the jokes data file did not load");
            break;
        }
        benchmark::DoNotOptimize(doc->m_jokes.GetData());
        // Freeing the jokes happens at exit, not at start-up: it is not part of the load.
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}

void BM_RawRead(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string path = bench::MakeJokesDataFile(DataDir(), n);
    for (auto _ : state) {
        CFile file(CString::FromUtf8(path), CFile::modeRead);
        std::vector<BYTE> buffer(static_cast<std::size_t>(file.GetLength()));
        file.Read(buffer.data(), static_cast<UINT>(buffer.size()));
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}

}  // namespace

BENCHMARK(BM_LoadDocument)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_RawRead)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
