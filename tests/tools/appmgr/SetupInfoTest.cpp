// The setup information member: its binary layout, the round trip through the manager's
// reader, and damaged members refused cleanly.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/appmgr/SetupInfo.h"

namespace {

using appmgr::ReadSetupInfo;
using appmgr::SetupInfo;
using appmgr::SetupInfoError;
using appmgr::ShortcutKind;
using appmgr::WriteSetupInfo;
using Bytes = std::vector<std::uint8_t>;

SetupInfo Diver(std::uint32_t processor) {
    SetupInfo info;
    info.appName = "Diver";
    info.provider = "Wendle";
    info.processor = processor;
    info.versionMin = {3, 0};
    info.versionMax = {3, 0};
    info.unsupportedPlatforms = {"HPC", "JUPITER"};
    info.directories = {{1, {"Diver"}}, {2, {"%CE17%"}}};
    info.files = {{1, 1, 0x40000002, "WJ.exe"}, {2, 1, 0x40000002, "wj.dat"}};
    info.shortcuts = {{1, 17, ShortcutKind::File, 1, {"Wendle Diver"}}};
    return info;
}

// Everything the form can say, with shared strings, a shortcut to a folder and nested paths.
SetupInfo Varied() {
    SetupInfo info;
    info.appName = "A";
    info.provider = "Some Provider, Inc.";
    info.processor = 10003;
    info.versionMin = {2, 11};
    info.versionMax = {0, 0};
    info.buildMin = 1234;
    info.buildMax = 0xFFFFFFFF;
    info.directories = {{7, {"App", "Data"}}, {3, {"%CE11%", "Games", "Data"}}, {4, {"App"}}};
    info.files = {{9, 7, 0x10, "x.bin"}, {1, 4, 0, "App.EXE"}, {300, 3, 0x80000000, "y"}};
    info.shortcuts = {{2, 0, ShortcutKind::Folder, 7, {"Data", "Open data"}},
                      {5, 11, ShortcutKind::File, 1, {"Games", "App"}}};
    return info;
}

std::uint32_t U32At(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24;
}
std::uint16_t U16At(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

TEST(SetupInfoTest, RoundTripsThroughTheReader) {
    const SetupInfo cases[] = {Diver(2577), Diver(10003), Diver(4000), Varied()};
    for (const SetupInfo& info : cases) {
        SCOPED_TRACE(info.appName + " " + std::to_string(info.processor));
        const Bytes bytes = WriteSetupInfo(info);
        const SetupInfo read = ReadSetupInfo(bytes);
        EXPECT_EQ(read, info);
        EXPECT_EQ(WriteSetupInfo(read), bytes);
    }
}

TEST(SetupInfoTest, LaysOutTheHeaderAsTheDeviceInstallerReadsIt) {
    const Bytes b = WriteSetupInfo(Diver(2577));
    ASSERT_GE(b.size(), 100u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "MSCE");
    EXPECT_EQ(U32At(b, 8), b.size());
    EXPECT_EQ(U32At(b, 20), 2577u);
    EXPECT_EQ(U32At(b, 24), 3u);  // lowest version 3.0
    EXPECT_EQ(U32At(b, 28), 0u);
    EXPECT_EQ(U32At(b, 32), 3u);  // highest version 3.0
    EXPECT_EQ(U32At(b, 36), 0u);
    // strings: Diver, %CE17%, Wendle Diver; two directories, two files, no registry, a shortcut
    const std::uint16_t counts[] = {3, 2, 2, 0, 0, 1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(U16At(b, 48 + 2 * i), counts[i]) << "count " << i;
    }
    // The names follow the header.
    EXPECT_EQ(U16At(b, 84), 100);
    EXPECT_EQ(U16At(b, 86), 6);
    EXPECT_EQ(std::string(b.begin() + 100, b.begin() + 106), std::string("Diver\0", 6));
    EXPECT_EQ(U16At(b, 90), 7);
    EXPECT_EQ(U16At(b, 94), 12);
    EXPECT_EQ(std::string(b.begin() + U16At(b, 92), b.begin() + U16At(b, 92) + 12),
              std::string("HPC\0JUPITER\0", 12));
    // The first file entry: id 1, directory 1, 0, flags, the name's length and the name.
    const std::size_t file = U32At(b, 68);
    EXPECT_EQ(U16At(b, file), 1);
    EXPECT_EQ(U16At(b, file + 2), 1);
    EXPECT_EQ(U32At(b, file + 6), 0x40000002u);
    EXPECT_EQ(U16At(b, file + 10), 7);
    EXPECT_EQ(std::string(b.begin() + file + 12, b.begin() + file + 19),
              std::string("WJ.exe\0", 7));
    // The shortcut: in %CE17%, to file 1.
    const std::size_t link = U32At(b, 80);
    EXPECT_EQ(U16At(b, link + 4), 17);
    EXPECT_EQ(U16At(b, link + 6), 1);
    EXPECT_EQ(U16At(b, link + 8), 1);
    EXPECT_EQ(link + 16, b.size());  // one string id and the closing 0
}

TEST(SetupInfoTest, WriterRefusesValuesTheFormCannotHold) {
    struct Case {
        const char* what;
        void (*change)(SetupInfo&);
    };
    const Case cases[] = {
        {"empty application name", [](SetupInfo& i) { i.appName.clear(); }},
        {"zero byte in the provider", [](SetupInfo& i) { i.provider = std::string("a\0b", 3); }},
        {"file to a missing directory", [](SetupInfo& i) { i.files[0].directory = 9; }},
        {"repeated file id", [](SetupInfo& i) { i.files[1].id = 1; }},
        {"file id 0", [](SetupInfo& i) { i.files[0].id = 0; }},
        {"shortcut to a missing file", [](SetupInfo& i) { i.shortcuts[0].target = 3; }},
        {"shortcut to a missing folder",
         [](SetupInfo& i) {
             i.shortcuts[0].kind = ShortcutKind::Folder, i.shortcuts[0].target = 5;
         }},
        {"directory without a path", [](SetupInfo& i) { i.directories[0].path.clear(); }},
        {"empty path component",
         [](SetupInfo& i) {
             i.directories[1].path = {"%CE17%", ""};
         }},
        {"name too long", [](SetupInfo& i) { i.files[0].name.assign(70000, 'x'); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetupInfo info = Diver(2577);
        c.change(info);
        EXPECT_THROW(WriteSetupInfo(info), SetupInfoError);
    }
}

TEST(SetupInfoTest, ReaderRefusesDamagedMembers) {
    const Bytes good = WriteSetupInfo(Diver(2577));
    struct Case {
        const char* what;
        void (*change)(Bytes&);
    };
    const Case cases[] = {
        {"bad signature", [](Bytes& b) { b[3] = 'X'; }},
        {"size field too large", [](Bytes& b) { b[8] += 1; }},
        {"registry entries", [](Bytes& b) { b[54] = 1; }},
        {"string section past the end", [](Bytes& b) { b[61] = 0x7F; }},
        {"application name not terminated", [](Bytes& b) { b[105] = 'x'; }},
        {"application name length zero", [](Bytes& b) { b[86] = 0; }},
        {"directory names a missing string",
         [](Bytes& b) {
             const std::size_t dir = U32At(b, 64);
             b[dir + 4] = 99;
         }},
        {"file in a missing directory",
         [](Bytes& b) {
             const std::size_t file = U32At(b, 68);
             b[file + 2] = 9;
         }},
        {"shortcut target kind 2",
         [](Bytes& b) {
             const std::size_t link = U32At(b, 80);
             b[link + 8] = 2;
         }},
        {"shortcut to a missing file",
         [](Bytes& b) {
             const std::size_t link = U32At(b, 80);
             b[link + 6] = 8;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = good;
        c.change(bytes);
        EXPECT_THROW(ReadSetupInfo(bytes), SetupInfoError);
    }
}

// Any cut or any single changed byte gives either a value or SetupInfoError; under the
// sanitizers this also shows that no read strays outside the bytes.
TEST(SetupInfoTest, EveryTruncationAndEveryFlippedByteIsHandled) {
    const Bytes good = WriteSetupInfo(Varied());
    for (std::size_t size = 0; size < good.size(); ++size) {
        const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(ReadSetupInfo(cut), SetupInfoError) << "cut to " << size;
    }
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (std::uint8_t mask : {0x01, 0x80, 0xFF}) {
            Bytes bytes = good;
            bytes[at] ^= mask;
            try {
                ReadSetupInfo(bytes);
            } catch (const SetupInfoError&) {
            }
        }
    }
}

}  // namespace
