// Feeds arbitrary bytes to the jokes data file reader, as the reader meets them at start-up:
// descrambled, then parsed from memory.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"
#include "reader/store/JokeArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<BYTE> bytes(data, data + size);
    ScrambleJokesData(bytes);
    CMemFile memory(bytes.data(), static_cast<UINT>(bytes.size()), 0);
    CJokeList jokes;
    try {
        CArchive ar(&memory, CArchive::load, 4096);
        ReadJokeArchive(ar, JokeFileKind::JokesData, jokes);
    } catch (const CException&) {
        // A damaged file is reported by exception; anything else is a finding.
    }
    return 0;
}
