#include "tools/appmgr/Cabinet.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "tools/appmgr/FileOps.h"
#include "tools/appmgr/TextCase.h"

namespace appmgr {
namespace {

// Layout of the parts this reader needs (all little-endian):
//   header   "MSCF", reserved u32, cabinet size u32, reserved u32, first file entry u32,
//            reserved u32, minor version u8 (3), major version u8 (1), folders u16, files u16,
//            flags u16, set id u16, cabinet number u16; with flag 4 the reserve sizes
//            (u16 header, u8 folder, u8 data) and the header's reserved bytes follow; flags
//            1 and 2 (a previous or next volume) are refused.
//   folder   first data block u32, data blocks u16, compression u16, reserved bytes
//   file     size u32, offset in folder u32, folder u16, date u16, time u16, attributes u16,
//            name (zero-terminated)
//   data     checksum u32, stored size u16, unpacked size u16, reserved bytes, data
constexpr std::size_t kHeaderSize = 36;
constexpr std::uint16_t kFlagPrevious = 0x0001;
constexpr std::uint16_t kFlagNext = 0x0002;
constexpr std::uint16_t kFlagReserve = 0x0004;
constexpr std::uint16_t kCompressionMask = 0x000F;
constexpr std::uint32_t kMaxBlock = 32768;
constexpr std::uint16_t kFirstContinuedFolder = 0xFFFD;

struct Folder {
    std::uint32_t firstBlock;
    std::uint16_t blocks;
    std::uint16_t compression;
};

std::uint32_t Word(std::span<const std::uint8_t> b, std::size_t i) {
    return std::uint32_t{b[i]} | std::uint32_t{b[i + 1]} << 8 | std::uint32_t{b[i + 2]} << 16 |
           std::uint32_t{b[i + 3]} << 24;
}

}  // namespace

std::uint32_t CabinetChecksum(std::span<const std::uint8_t> bytes, std::uint32_t seed) {
    std::uint32_t sum = seed;
    const std::size_t whole = bytes.size() / 4 * 4;
    for (std::size_t i = 0; i < whole; i += 4) {
        sum ^= Word(bytes, i);
    }
    std::uint32_t tail = 0;
    for (std::size_t i = whole; i < bytes.size(); ++i) {
        tail = (tail << 8) | bytes[i];
    }
    return sum ^ tail;
}

Cabinet Cabinet::Parse(std::span<const std::uint8_t> bytes) {
    try {
        ByteReader in(bytes);
        if (bytes.size() < kHeaderSize) {
            throw CabinetError("it is too short for a cabinet (" + std::to_string(bytes.size()) +
                               " bytes)");
        }
        const auto signature = in.Bytes(4, "signature");
        if (!std::equal(signature.begin(), signature.end(), "MSCF")) {
            throw CabinetError("it does not start with the cabinet signature MSCF");
        }
        in.Skip(4, "header");
        const std::uint32_t size = in.U32("cabinet size");
        if (size != bytes.size()) {
            throw CabinetError("its header gives a size of " + std::to_string(size) +
                               " bytes, but the file has " + std::to_string(bytes.size()) +
                               (size > bytes.size() ? " (it is truncated)" : ""));
        }
        in.Skip(4, "header");
        const std::uint32_t firstFile = in.U32("offset of the file entries");
        in.Skip(4, "header");
        const std::uint8_t minor = in.U8("version");
        const std::uint8_t major = in.U8("version");
        if (major != 1 || minor != 3) {
            throw CabinetError("its format version is " + std::to_string(major) + "." +
                               std::to_string(minor) + ", not 1.3");
        }
        const std::uint16_t folderCount = in.U16("folder count");
        const std::uint16_t fileCount = in.U16("file count");
        const std::uint16_t flags = in.U16("flags");
        in.Skip(4, "header");  // set id, cabinet number
        if (flags & (kFlagPrevious | kFlagNext)) {
            throw CabinetError("it is one volume of a set spread over several cabinets");
        }
        std::size_t folderReserve = 0;
        std::size_t dataReserve = 0;
        if (flags & kFlagReserve) {
            const std::uint16_t headerReserve = in.U16("reserve sizes");
            folderReserve = in.U8("reserve sizes");
            dataReserve = in.U8("reserve sizes");
            in.Skip(headerReserve, "reserved header bytes");
        }

        std::vector<Folder> folders;
        for (std::uint16_t i = 0; i < folderCount; ++i) {
            Folder folder{in.U32("folder entry"), in.U16("folder entry"), in.U16("folder entry")};
            in.Skip(folderReserve, "folder entry");
            if ((folder.compression & kCompressionMask) != 0) {
                throw CabinetError("its data is compressed (method " +
                                   std::to_string(folder.compression & kCompressionMask) +
                                   "); only stored data is taken");
            }
            folders.push_back(folder);
        }

        Cabinet cabinet;
        for (const Folder& folder : folders) {
            ByteReader blocks(bytes);
            blocks.Seek(folder.firstBlock, "first data block");
            std::vector<std::uint8_t> data;
            for (std::uint16_t b = 0; b < folder.blocks; ++b) {
                const std::size_t at = blocks.Offset();
                const std::uint32_t checksum = blocks.U32("data block");
                const auto sizes = blocks.Bytes(4, "data block");
                const std::uint16_t stored = static_cast<std::uint16_t>(sizes[0] | sizes[1] << 8);
                const std::uint16_t unpacked = static_cast<std::uint16_t>(sizes[2] | sizes[3] << 8);
                const auto reserved = blocks.Bytes(dataReserve, "data block");
                if (stored != unpacked || stored > kMaxBlock) {
                    throw CabinetError("the data block at byte " + std::to_string(at) +
                                       " has impossible sizes for stored data");
                }
                const auto content = blocks.Bytes(stored, "data block");
                if (checksum != 0) {
                    std::uint32_t sum = CabinetChecksum(content, 0);
                    std::vector<std::uint8_t> fields(sizes.begin(), sizes.end());
                    fields.insert(fields.end(), reserved.begin(), reserved.end());
                    sum = CabinetChecksum(fields, sum);
                    if (sum != checksum) {
                        throw CabinetError("the data block at byte " + std::to_string(at) +
                                           " fails its checksum");
                    }
                }
                data.insert(data.end(), content.begin(), content.end());
            }
            cabinet.m_folders.push_back(std::move(data));
        }

        in.Seek(firstFile, "file entries");
        for (std::uint16_t i = 0; i < fileCount; ++i) {
            CabinetMember member;
            member.size = in.U32("file entry");
            member.offset = in.U32("file entry");
            member.folder = in.U16("file entry");
            member.date = in.U16("file entry");
            member.time = in.U16("file entry");
            member.attributes = in.U16("file entry");
            member.name = in.ZeroTerminated("file name");
            if (member.folder >= kFirstContinuedFolder) {
                throw CabinetError("member " + member.name + " continues in another volume");
            }
            if (member.folder >= cabinet.m_folders.size()) {
                throw CabinetError("member " + member.name + " names a folder that is not there");
            }
            const auto& data = cabinet.m_folders[member.folder];
            if (member.offset > data.size() || member.size > data.size() - member.offset) {
                throw CabinetError("member " + member.name + " lies past the end of its data");
            }
            if (member.name.empty()) {
                throw CabinetError("a member has an empty name");
            }
            cabinet.m_members.push_back(std::move(member));
        }
        return cabinet;
    } catch (const CabinetError&) {
        throw;
    } catch (const FormatError& e) {
        throw CabinetError(e.what());
    }
}

Cabinet Cabinet::Load(const std::filesystem::path& path) {
    std::string bytes;
    try {
        bytes = ReadSmallFile(path, kMaxFileSize);
    } catch (const std::length_error&) {
        throw CabinetError("it is too large for a device cabinet");
    } catch (const std::system_error& e) {
        throw CabinetError("it cannot be read: " + e.code().message());
    }
    return Parse({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

const CabinetMember* Cabinet::Find(std::string_view name) const {
    const auto it = std::find_if(m_members.begin(), m_members.end(), [&](const auto& member) {
        return EqualsIgnoringCase(member.name, name);
    });
    return it == m_members.end() ? nullptr : &*it;
}

std::span<const std::uint8_t> Cabinet::Content(const CabinetMember& member) const {
    return std::span<const std::uint8_t>(m_folders.at(member.folder))
        .subspan(member.offset, member.size);
}

}  // namespace appmgr
