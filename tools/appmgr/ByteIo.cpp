#include "tools/appmgr/ByteIo.h"

#include <algorithm>

namespace appmgr {

void ByteReader::Need(std::size_t count, std::string_view what) const {
    if (m_offset > m_bytes.size() || count > m_bytes.size() - m_offset) {
        throw FormatError("the " + std::string(what) + " at byte " + std::to_string(m_offset) +
                          " runs past the end of the data (" + std::to_string(m_bytes.size()) +
                          " bytes)");
    }
}

void ByteReader::Seek(std::size_t offset, std::string_view what) {
    if (offset > m_bytes.size()) {
        throw FormatError("the " + std::string(what) + " at byte " + std::to_string(offset) +
                          " lies past the end of the data (" + std::to_string(m_bytes.size()) +
                          " bytes)");
    }
    m_offset = offset;
}

std::uint8_t ByteReader::U8(std::string_view what) {
    Need(1, what);
    return m_bytes[m_offset++];
}

std::uint16_t ByteReader::U16(std::string_view what) {
    Need(2, what);
    const auto value =
        static_cast<std::uint16_t>(m_bytes[m_offset] | (unsigned{m_bytes[m_offset + 1]} << 8));
    m_offset += 2;
    return value;
}

std::uint32_t ByteReader::U32(std::string_view what) {
    Need(4, what);
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | m_bytes[m_offset + static_cast<std::size_t>(i)];
    }
    m_offset += 4;
    return value;
}

std::span<const std::uint8_t> ByteReader::Bytes(std::size_t count, std::string_view what) {
    Need(count, what);
    auto part = m_bytes.subspan(m_offset, count);
    m_offset += count;
    return part;
}

std::string ByteReader::ZeroTerminated(std::string_view what) {
    Need(1, what);
    const auto rest = m_bytes.subspan(m_offset);
    const auto zero = std::find(rest.begin(), rest.end(), std::uint8_t{0});
    if (zero == rest.end()) {
        throw FormatError("the " + std::string(what) + " at byte " + std::to_string(m_offset) +
                          " has no terminating zero");
    }
    std::string text(rest.begin(), zero);
    m_offset += text.size() + 1;
    return text;
}

void ByteWriter::U16(std::uint16_t value) {
    m_bytes.push_back(static_cast<std::uint8_t>(value));
    m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        m_bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void ByteWriter::Bytes(std::span<const std::uint8_t> bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void ByteWriter::ZeroTerminated(std::string_view text) {
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    m_bytes.push_back(0);
}

void ByteWriter::PatchU16(std::size_t offset, std::uint16_t value) {
    m_bytes.at(offset) = static_cast<std::uint8_t>(value);
    m_bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

void ByteWriter::PatchU32(std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        m_bytes.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace appmgr
