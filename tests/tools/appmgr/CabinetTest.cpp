// The manager's cabinet reader, against cabinets gcab makes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/tools/appmgr/AppMgrTestSupport.h"
#include "tools/appmgr/Cabinet.h"

namespace {

using namespace appmgr_test;
using appmgr::Cabinet;
using appmgr::CabinetError;

std::uint32_t U32At(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24;
}
void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

// Three members as a device cabinet holds them; the middle one spans several data blocks.
const std::vector<Member>& Members() {
    static const std::vector<Member> members = {
        {"JOKESP~1.000", Pattern(233, 1)},
        {"000000WJ.001", Pattern(70001, 2)},
        {"000000wj.002", Pattern(5, 3)},
    };
    return members;
}

const Bytes& GoodCabinet() {
    static const Bytes cabinet = MakeCabinet(Members());
    return cabinet;
}

TEST(CabinetTest, ReadsEveryMemberOfAStoredCabinet) {
    const Cabinet cabinet = Cabinet::Parse(GoodCabinet());
    ASSERT_EQ(cabinet.Members().size(), Members().size());
    for (std::size_t i = 0; i < Members().size(); ++i) {
        SCOPED_TRACE(Members()[i].name);
        const auto& member = cabinet.Members()[i];
        EXPECT_EQ(member.name, Members()[i].name);
        EXPECT_EQ(member.size, Members()[i].bytes.size());
        const auto content = cabinet.Content(member);
        EXPECT_EQ(Bytes(content.begin(), content.end()), Members()[i].bytes);
    }
    // Names ignore letter case, as on the device.
    ASSERT_NE(cabinet.Find("000000wj.001"), nullptr);
    EXPECT_EQ(cabinet.Find("000000wj.001")->name, "000000WJ.001");
    EXPECT_EQ(cabinet.Find("000000WJ.003"), nullptr);
}

TEST(CabinetTest, ChecksumTakesWholeWordsLittleEndianAndTheTailBigEndian) {
    struct Case {
        Bytes bytes;
        std::uint32_t seed;
        std::uint32_t sum;
    };
    const Case cases[] = {
        {{}, 0, 0},
        {{}, 0x12345678, 0x12345678},
        {{0x01, 0x02, 0x03, 0x04}, 0, 0x04030201},
        {{0x01}, 0, 0x00000001},
        {{0x01, 0x02}, 0, 0x00000102},
        {{0x01, 0x02, 0x03}, 0, 0x00010203},
        {{0x01, 0x02, 0x03, 0x04, 0x05, 0x06}, 0, 0x04030201 ^ 0x00000506},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 1, 1},
        {{0x10, 0x00, 0x00, 0x00}, 0x00000011, 0x00000001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(appmgr::CabinetChecksum(c.bytes, c.seed), c.sum);
    }
}

// Where gcab puts things: header 36 bytes, one folder entry of 8, then the file entries; the
// first data block's offset is in the folder entry.
constexpr std::size_t kFolderEntry = 36;
std::size_t FirstBlock(const Bytes& b) {
    return U32At(b, kFolderEntry);
}

TEST(CabinetTest, GcabCabinetsCarryChecksumsThatTheReaderChecks) {
    ASSERT_NE(U32At(GoodCabinet(), FirstBlock(GoodCabinet())), 0u)
        << "without checksums the damaged-data cases below would prove nothing";
}

TEST(CabinetTest, RefusesDamagedCabinetsWithTheReason) {
    struct Case {
        const char* what;
        void (*change)(Bytes&);
        const char* reason;
    };
    const Case cases[] = {
        {"empty", [](Bytes& b) { b.clear(); }, "too short"},
        {"cut inside the header", [](Bytes& b) { b.resize(20); }, "too short"},
        {"cut by one byte", [](Bytes& b) { b.pop_back(); }, "truncated"},
        {"cut in the middle", [](Bytes& b) { b.resize(b.size() / 2); }, "truncated"},
        {"a byte too many", [](Bytes& b) { b.push_back(0); }, "header gives a size"},
        {"bad signature", [](Bytes& b) { b[0] = 'X'; }, "signature MSCF"},
        {"version 1.2", [](Bytes& b) { b[24] = 2; }, "version is 1.2"},
        {"a next volume", [](Bytes& b) { b[30] |= 2; }, "several cabinets"},
        {"compressed", [](Bytes& b) { b[kFolderEntry + 6] = 1; }, "compressed"},
        {"a changed data byte", [](Bytes& b) { b[FirstBlock(b) + 8 + 100] ^= 0x20; },
         "fails its checksum"},
        {"a changed checksum", [](Bytes& b) { b[FirstBlock(b)] ^= 1; }, "fails its checksum"},
        {"block sizes that disagree", [](Bytes& b) { b[FirstBlock(b) + 6] ^= 1; },
         "impossible sizes"},
        {"first block past the end",
         [](Bytes& b) { PutU32(b, kFolderEntry, static_cast<std::uint32_t>(b.size() + 1)); },
         "past the end"},
        {"too many data blocks", [](Bytes& b) { b[kFolderEntry + 4] += 100; }, "runs past"},
        {"a file entry in a missing folder", [](Bytes& b) { b[U32At(b, 16) + 8] = 1; },
         "names a folder that is not there"},
        {"a member past its folder's data", [](Bytes& b) { PutU32(b, U32At(b, 16), 0x7FFFFFFF); },
         "past the end of its data"},
        {"file entries past the end",
         [](Bytes& b) { PutU32(b, 16, static_cast<std::uint32_t>(b.size() - 3)); },
         "runs past the end"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = GoodCabinet();
        c.change(bytes);
        if (!bytes.empty() && bytes.size() >= 12 && std::string(c.what) != "a byte too many" &&
            std::string(c.what).rfind("cut", 0) != 0) {
            // Keep the header's size right so that the damage itself is what is found.
            PutU32(bytes, 8, static_cast<std::uint32_t>(bytes.size()));
        }
        try {
            Cabinet::Parse(bytes);
            ADD_FAILURE() << "accepted";
        } catch (const CabinetError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }
}

// Any cut or changed byte of the header and the entries gives a cabinet or CabinetError; the
// data blocks are covered by their checksums above.
TEST(CabinetTest, EveryCutAndEveryChangedEntryByteIsHandled) {
    const Bytes good = MakeCabinet({{"a.000", Pattern(40, 4)}, {"b.001", Pattern(3, 5)}});
    for (std::size_t size = 0; size < good.size(); ++size) {
        const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(Cabinet::Parse(cut), CabinetError) << "cut to " << size;
    }
    for (std::size_t at = 0; at < FirstBlock(good) + 8; ++at) {
        for (std::uint8_t mask : {0x01, 0x10, 0x80, 0xFF}) {
            Bytes bytes = good;
            bytes[at] ^= mask;
            try {
                Cabinet::Parse(bytes);
            } catch (const CabinetError&) {
            }
        }
    }
}

TEST(CabinetTest, LoadRefusesAMissingFile) {
    TempFolder folder;
    EXPECT_THROW(Cabinet::Load(folder / "none.cab"), CabinetError);
}

}  // namespace
