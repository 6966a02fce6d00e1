#pragma once
// Little-endian fields of the binary formats the manager reads (cabinets, setup information).
// Reading never runs past the bytes it was given: a short read is a FormatError naming the
// offset, so a truncated or lying file ends in a message, not in a wild read.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace appmgr {

// A file that is not what it claims to be. The message says what and where, for the user.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t offset = 0)
        : m_bytes(bytes), m_offset(offset) {}

    std::size_t Offset() const { return m_offset; }
    std::size_t Remaining() const {
        return m_offset < m_bytes.size() ? m_bytes.size() - m_offset : 0;
    }
    void Seek(std::size_t offset, std::string_view what);

    std::uint8_t U8(std::string_view what);
    std::uint16_t U16(std::string_view what);
    std::uint32_t U32(std::string_view what);
    std::span<const std::uint8_t> Bytes(std::size_t count, std::string_view what);
    void Skip(std::size_t count, std::string_view what) { Bytes(count, what); }
    // Bytes up to a zero byte, which is consumed; the zero must come within the data.
    std::string ZeroTerminated(std::string_view what);

private:
    void Need(std::size_t count, std::string_view what) const;

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset;
};

class ByteWriter {
public:
    std::size_t Offset() const { return m_bytes.size(); }
    void U8(std::uint8_t value) { m_bytes.push_back(value); }
    void U16(std::uint16_t value);
    void U32(std::uint32_t value);
    void Bytes(std::span<const std::uint8_t> bytes);
    // The text and a zero byte.
    void ZeroTerminated(std::string_view text);
    void PatchU16(std::size_t offset, std::uint16_t value);
    void PatchU32(std::size_t offset, std::uint32_t value);

    const std::vector<std::uint8_t>& Data() const& { return m_bytes; }
    std::vector<std::uint8_t> Data() && { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace appmgr
