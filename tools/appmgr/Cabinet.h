#pragma once
// A Microsoft cabinet as the device installer takes it: format version 1.3, one volume, data
// stored without compression. The whole cabinet is checked when it is parsed (sizes, offsets,
// every data block and its checksum where one is present), so a damaged cabinet is refused
// before anything is taken from it.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/appmgr/ByteIo.h"

namespace appmgr {

// A cabinet that cannot be read: damaged, truncated, compressed or spread over volumes.
class CabinetError : public FormatError {
public:
    using FormatError::FormatError;
};

struct CabinetMember {
    std::string name;
    std::uint32_t size = 0;
    std::uint16_t folder = 0;
    std::uint32_t offset = 0;  // within the folder's data
    std::uint16_t date = 0;    // MS-DOS form
    std::uint16_t time = 0;
    std::uint16_t attributes = 0;
};

class Cabinet {
public:
    // Larger files are not device cabinets; refusing them keeps a stray file from being read
    // into memory.
    static constexpr std::uintmax_t kMaxFileSize = 64u * 1024 * 1024;

    static Cabinet Parse(std::span<const std::uint8_t> bytes);
    static Cabinet Load(const std::filesystem::path& path);

    const std::vector<CabinetMember>& Members() const { return m_members; }
    // Member names ignore letter case, as the device's file system does.
    const CabinetMember* Find(std::string_view name) const;
    std::span<const std::uint8_t> Content(const CabinetMember& member) const;

private:
    std::vector<CabinetMember> m_members;
    std::vector<std::vector<std::uint8_t>> m_folders;  // each folder's data, blocks joined
};

// The data-block checksum of the cabinet format: the bytes are taken four at a time as
// little-endian words and XORed into seed; a tail of one to three bytes is gathered into a
// word most significant byte first. A block's checksum is this over its data, then over its
// size fields (and reserved bytes) with the first result as the seed.
std::uint32_t CabinetChecksum(std::span<const std::uint8_t> bytes, std::uint32_t seed);

}  // namespace appmgr
