// Peak memory of one load of a jokes data file through the document: the growth of the
// process's peak resident size while it loads, beside the file's size.
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/JokeFiles.h"
#include "platform/base/ModulePath.h"
#include "reader/store/KippAppDoc.h"
#include "reader/store/KippAppStore.h"

namespace {

long CurrentRssKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: store_peak DATA_DIR N\n");
        return 2;
    }
    const std::string expected = std::string(argv[1]) + "/jokes_" + argv[2] + ".dat";
    const bool made = !std::filesystem::exists(expected);
    const std::string path = bench::MakeJokesDataFile(argv[1], std::stoi(argv[2]));
    if (made) {
        // Making the file grew this process; measure in a fresh one.
        execv("/proc/self/exe", argv);
        return 1;
    }
    platform::SetModulePathForTesting(CString::FromUtf8(path.substr(0, path.size() - 4)));
    CKippAppStore app(u"jokepad-bench");
    const long before = CurrentRssKb();
    long peak = 0;
    {
        CKippAppDoc doc;
        if (!doc.OnNewDocument()) {
            return 1;
        }
        peak = PeakRssKb();
    }
    std::printf("%s %lld %ld\n", argv[2], static_cast<long long>(std::filesystem::file_size(path)),
                (peak - before) * 1024);
    return 0;
}
