#include "platform/base/CMemFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() = default;

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
    Close();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = lpBuffer != nullptr ? nBufferSize : 0;
    // As the framework: a fixed buffer holds content to be read; a growable one starts empty.
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
}

std::vector<BYTE> CMemFile::Detach() {
    std::vector<BYTE> content;
    if (m_lpBuffer == m_owned.data() && !m_owned.empty()) {
        content = std::move(m_owned);
        content.resize(m_nFileSize);
    } else if (m_lpBuffer != nullptr) {
        content.assign(m_lpBuffer, m_lpBuffer + m_nFileSize);
    }
    m_owned.clear();
    Close();
    return content;
}

void CMemFile::Close() {
    m_owned = std::vector<BYTE>();
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
}

void CMemFile::Reserve(std::size_t nSize) {
    if (nSize <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        throw CMemoryException();
    // Rounded to the grow-by step as the framework does, but at least doubled, so that writing
    // a large file byte by byte does not copy it over and over.
    std::size_t capacity = (nSize + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    capacity = std::max(capacity, 2 * m_nBufferSize);
    try {
        std::vector<BYTE> grown(capacity);
        if (m_nFileSize > 0)
            std::memcpy(grown.data(), m_lpBuffer, m_nFileSize);
        m_owned = std::move(grown);
    } catch (const std::bad_alloc&) {
        throw CMemoryException();
    } catch (const std::length_error&) {
        throw CMemoryException();
    }
    m_lpBuffer = m_owned.data();
    m_nBufferSize = m_owned.size();
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
    if (m_nPosition >= m_nFileSize)
        return 0;
    const std::size_t n = std::min<std::size_t>(nCount, m_nFileSize - m_nPosition);
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0)
        return;
    const std::size_t newEnd = m_nPosition + nCount;
    Reserve(newEnd);
    if (m_nPosition > m_nFileSize) {  // written after a seek beyond the end: the gap is zeros
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    }
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = newEnd;
    m_nFileSize = std::max(m_nFileSize, newEnd);
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
    long long base = 0;
    if (nFrom == current) {
        base = static_cast<long long>(m_nPosition);
    } else if (nFrom == end) {
        base = static_cast<long long>(m_nFileSize);
    } else if (nFrom != begin) {
        throw CFileException(CFileException::badSeek, EINVAL, m_strFileName);
    }
    if (lOff < -base || lOff > std::numeric_limits<UINT>::max()) {
        throw CFileException(CFileException::badSeek, EINVAL, m_strFileName);
    }
    m_nPosition = static_cast<std::size_t>(base + lOff);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
    if (dwNewLen > std::numeric_limits<UINT>::max())
        throw CMemoryException();
    const auto n = static_cast<std::size_t>(dwNewLen);
    Reserve(n);
    if (n > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, n - m_nFileSize);
    m_nFileSize = n;
    m_nPosition = std::min(m_nPosition, n);
}

std::optional<std::span<const BYTE>> CMemFile::GetReadableMemory() const {
    return std::span<const BYTE>(m_lpBuffer, m_nFileSize);
}
