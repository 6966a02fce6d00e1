#include "platform/base/CArchive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "platform/base/Utf.h"

namespace {

constexpr std::size_t kMinBufSize = 128;

// Strings of a CString are counted in int; the file's 64-bit lengths can say more.
constexpr ULONGLONG kMaxStringLength = static_cast<ULONGLONG>(std::numeric_limits<int>::max());

}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile), m_nMode(nMode), m_strFileName(pFile->GetFilePath()) {
    if (IsLoading()) {
        if (const auto memory = m_pFile->GetReadableMemory()) {
            m_bDirect = true;
            const std::size_t pos = std::min<ULONGLONG>(m_pFile->GetPosition(), memory->size());
            m_pBufStart = memory->data();
            m_pCur = m_pBufStart + pos;
            m_pEnd = m_pBufStart + memory->size();
            m_nBufferBase = 0;
            return;
        }
    }
    m_nBufSize =
        std::max<std::size_t>(nBufSize > 0 ? static_cast<std::size_t>(nBufSize) : 0, kMinBufSize);
    if (lpBuf != nullptr && nBufSize >= static_cast<int>(kMinBufSize)) {
        m_pWriteBuf = static_cast<BYTE*>(lpBuf);
    } else {
        m_ownBuffer = std::make_unique<BYTE[]>(m_nBufSize);
        m_pWriteBuf = m_ownBuffer.get();
    }
    m_pBufStart = m_pWriteBuf;
    m_pCur = m_pBufStart;
    m_pEnd = IsLoading() ? m_pBufStart : m_pBufStart + m_nBufSize;
    m_nBufferBase = m_pFile->GetPosition();
}

CArchive::~CArchive() {
    if (m_bDetached)
        return;
    if (IsStoring() && (m_nMode & bNoFlushOnDelete) != 0) {
        Abort();
        return;
    }
    try {
        Close();
    } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor must not throw
        Abort();
    }
}

ULONGLONG CArchive::GetPosition() const {
    return m_nBufferBase + static_cast<ULONGLONG>(m_pCur - m_pBufStart);
}

void CArchive::CheckLoading() const {
    if (!IsLoading())
        throw CArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::CheckStoring() const {
    if (!IsStoring())
        throw CArchiveException(CArchiveException::readOnly, m_strFileName);
}

void CArchive::ThrowEndOfFile(ULONGLONG offset) const {
    throw CArchiveException(CArchiveException::endOfFile, m_strFileName,
                            static_cast<long long>(offset));
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    CheckLoading();
    auto* out = static_cast<BYTE*>(lpBuf);
    const std::size_t avail = static_cast<std::size_t>(m_pEnd - m_pCur);
    const std::size_t first = std::min<std::size_t>(avail, nMax);
    if (first > 0)
        std::memcpy(out, m_pCur, first);
    m_pCur += first;
    if (first == nMax || m_bDirect)
        return static_cast<UINT>(first);

    // The buffer is used up: what is left comes from the file.
    m_nBufferBase += static_cast<ULONGLONG>(m_pEnd - m_pBufStart);
    m_pCur = m_pEnd = m_pBufStart;
    const UINT rest = nMax - static_cast<UINT>(first);
    if (rest >= m_nBufSize) {  // large: straight into the caller's memory
        const UINT got = m_pFile->Read(out + first, rest);
        m_nBufferBase += got;
        return static_cast<UINT>(first) + got;
    }
    const UINT got = m_pFile->Read(m_pWriteBuf, static_cast<UINT>(m_nBufSize));
    m_pEnd = m_pBufStart + got;
    const std::size_t second = std::min<std::size_t>(got, rest);
    std::memcpy(out + first, m_pCur, second);
    m_pCur += second;
    return static_cast<UINT>(first + second);
}

void CArchive::ReadExact(void* lpBuf, std::size_t nCount) {
    CheckLoading();
    const ULONGLONG offset = GetPosition();
    auto* out = static_cast<BYTE*>(lpBuf);
    while (nCount > 0) {
        const UINT chunk =
            static_cast<UINT>(std::min<std::size_t>(nCount, std::numeric_limits<UINT>::max()));
        const UINT got = Read(out, chunk);
        if (got < chunk)
            ThrowEndOfFile(offset);
        out += got;
        nCount -= got;
    }
}

void CArchive::EnsureRemaining(ULONGLONG nBytes, ULONGLONG offset) {
    CheckLoading();
    const auto buffered = static_cast<ULONGLONG>(m_pEnd - m_pCur);
    if (nBytes <= buffered)
        return;
    if (m_bDirect)
        ThrowEndOfFile(offset);
    const ULONGLONG length = m_pFile->GetLength();
    const ULONGLONG filePos = m_nBufferBase + static_cast<ULONGLONG>(m_pEnd - m_pBufStart);
    const ULONGLONG inFile = length > filePos ? length - filePos : 0;
    if (nBytes - buffered > inFile)
        ThrowEndOfFile(offset);
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    CheckStoring();
    const auto* in = static_cast<const BYTE*>(lpBuf);
    const std::size_t space = static_cast<std::size_t>(m_pEnd - m_pCur);
    BYTE* cur = m_pWriteBuf + (m_pCur - m_pBufStart);
    if (nMax <= space) {
        if (nMax > 0)
            std::memcpy(cur, in, nMax);
        m_pCur += nMax;
        return;
    }
    std::memcpy(cur, in, space);
    m_pCur += space;
    FlushBuffer();
    in += space;
    const std::size_t rest = nMax - space;
    if (rest >= m_nBufSize) {  // large: straight to the file
        m_pFile->Write(in, static_cast<UINT>(rest));
        m_nBufferBase += rest;
        return;
    }
    std::memcpy(m_pWriteBuf, in, rest);
    m_pCur += rest;
}

void CArchive::FlushBuffer() {
    const auto pending = static_cast<std::size_t>(m_pCur - m_pBufStart);
    if (pending == 0)
        return;
    // Taken out of the buffer first: after a failed write the archive must not write the same
    // bytes again from its destructor.
    m_pCur = m_pBufStart;
    m_nBufferBase += pending;
    m_pFile->Write(m_pBufStart, static_cast<UINT>(pending));
}

void CArchive::Flush() {
    if (m_bDetached)
        return;
    if (IsStoring()) {
        FlushBuffer();
    } else {
        // Bytes read ahead into the buffer go back to the file.
        m_pFile->Seek(static_cast<LONGLONG>(GetPosition()), CFile::begin);
    }
}

void CArchive::Close() {
    if (m_bDetached)
        return;
    try {
        Flush();
    } catch (...) {
        Abort();
        throw;
    }
    m_bDetached = true;
}

void CArchive::Abort() {
    m_bDetached = true;
    m_pCur = m_pBufStart;
}

void CArchive::WriteStringLength(ULONGLONG nLength, bool bUnicode) {
    if (bUnicode) {
        *this << BYTE{0xFF} << WORD{0xFFFE};
    }
    if (nLength < 0xFF) {
        *this << static_cast<BYTE>(nLength);
        return;
    }
    *this << BYTE{0xFF};
    if (nLength < 0xFFFE) {
        *this << static_cast<WORD>(nLength);
        return;
    }
    *this << WORD{0xFFFF};
    if (nLength < 0xFFFFFFFF) {
        *this << static_cast<DWORD>(nLength);
        return;
    }
    *this << DWORD{0xFFFFFFFF} << static_cast<std::uint64_t>(nLength);
}

ULONGLONG CArchive::ReadStringLength(bool& bUnicode) {
    bUnicode = false;
    BYTE b = 0;
    *this >> b;
    if (b < 0xFF)
        return b;
    WORD w = 0;
    *this >> w;
    if (w == 0xFFFE) {
        // The Unicode marker; the length follows from its start, and a two-byte length may
        // then be 0xFFFE itself.
        bUnicode = true;
        *this >> b;
        if (b < 0xFF)
            return b;
        *this >> w;
        if (w < 0xFFFF)
            return w;
    } else if (w < 0xFFFF) {
        return w;
    }
    DWORD dw = 0;
    *this >> dw;
    if (dw < 0xFFFFFFFF)
        return dw;
    std::uint64_t qw = 0;
    *this >> qw;
    return qw;
}

CArchive& CArchive::operator<<(const CString& str) {
    const std::u16string& s = str.Str();
    WriteStringLength(s.size(), true);
    if constexpr (std::endian::native == std::endian::little) {
        const auto* bytes = reinterpret_cast<const BYTE*>(s.data());
        std::size_t left = s.size() * 2;
        while (left > 0) {
            const UINT chunk =
                static_cast<UINT>(std::min<std::size_t>(left, std::numeric_limits<UINT>::max()));
            Write(bytes, chunk);
            bytes += chunk;
            left -= chunk;
        }
    } else {
        for (char16_t c : s)
            *this << static_cast<WORD>(c);
    }
    return *this;
}

void CArchive::WriteSingleByteString(std::string_view windows1252Bytes) {
    WriteStringLength(windows1252Bytes.size(), false);
    const auto* bytes = reinterpret_cast<const BYTE*>(windows1252Bytes.data());
    std::size_t left = windows1252Bytes.size();
    while (left > 0) {
        const UINT chunk =
            static_cast<UINT>(std::min<std::size_t>(left, std::numeric_limits<UINT>::max()));
        Write(bytes, chunk);
        bytes += chunk;
        left -= chunk;
    }
}

CArchive& CArchive::operator>>(CString& str) {
    CheckLoading();
    const ULONGLONG start = GetPosition();
    bool bUnicode = false;
    const ULONGLONG length = ReadStringLength(bUnicode);
    // Checked before anything is allocated: a damaged length cannot ask for more than the
    // file holds. A length beyond what a string can hold is past the end of any real file.
    if (length > kMaxStringLength)
        ThrowEndOfFile(start);
    const ULONGLONG bytes = bUnicode ? length * 2 : length;
    EnsureRemaining(bytes, start);

    std::u16string& s = str.Str();
    const auto n = static_cast<std::size_t>(length);
    s.resize(n);
    if (bUnicode) {
        const auto nBytes = static_cast<std::size_t>(bytes);
        if (static_cast<std::size_t>(m_pEnd - m_pCur) >= nBytes) {
            std::memcpy(s.data(), m_pCur, nBytes);
            m_pCur += nBytes;
        } else {
            ReadExact(s.data(), nBytes);
        }
        if constexpr (std::endian::native == std::endian::big) {
            for (auto& c : s)
                c = static_cast<char16_t>((c >> 8) | (c << 8));
        }
    } else if (static_cast<std::size_t>(m_pEnd - m_pCur) >= n) {
        platform::DecodeWindows1252(m_pCur, n, s.data());
        m_pCur += n;
    } else {
        // Decoded in place: the bytes go into the upper half of the string's own storage,
        // then widen from the front, each character written at or before its byte.
        auto* raw = reinterpret_cast<BYTE*>(s.data()) + n;
        ReadExact(raw, n);
        for (std::size_t i = 0; i < n; ++i)
            s[i] = platform::Windows1252ToUnicode(raw[i]);
    }
    return *this;
}
