// Feeds arbitrary bytes to the favourites reader, which keeps what reads whole.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"
#include "reader/store/JokeArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<BYTE> bytes(data, data + size);
    CMemFile memory(bytes.data(), static_cast<UINT>(bytes.size()), 0);
    CJokeList jokes;
    try {
        CArchive ar(&memory, CArchive::load, 4096);
        (void)ReadJokeArchiveSalvaging(ar, JokeFileKind::Favorites, jokes);
    } catch (const CException&) {
    }
    return 0;
}
