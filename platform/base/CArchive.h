#pragma once
// The framework's archive: a buffered reader or writer of binary values over a CFile, in the
// byte order and string encoding that the device's programs use (little-endian integers;
// strings as a length prefix and the characters, single-byte or UTF-16).
//
// Reading checks that the file holds every byte that a length announces before anything is
// allocated for it, so a damaged file cannot make the reader allocate more than its own size.
// A CArchiveException (endOfFile) then tells the offset at which the value began.

#include <memory>
#include <string_view>

#include "platform/base/CException.h"
#include "platform/base/CFile.h"
#include "platform/base/CString.h"

class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // lpBuf, when given, is a buffer of nBufSize bytes that the caller owns and keeps alive.
    // A loading archive over a memory file reads the memory in place and needs no buffer.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    // A storing archive that was not closed writes out its buffer here (unless
    // bNoFlushOnDelete), but cannot report a failure: call Close to learn of one.
    ~CArchive();

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

    // The number of bytes read: fewer than nMax only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Storing: writes the buffer to the file (it does not force the file onto the disk).
    // Loading: sets the file's position to the archive's.
    void Flush();
    // Flush, then detach from the file, which stays open.
    void Close();
    // Detaches from the file without writing the buffer; never throws.
    void Abort();

    // Our additions. The offset in the file of the next byte read or written.
    ULONGLONG GetPosition() const;
    // Throws CArchiveException(endOfFile) unless the file holds nBytes more from here: a check
    // a caller makes before sizing a list by a count read from the file.
    void EnsureRemaining(ULONGLONG nBytes) { EnsureRemaining(nBytes, GetPosition()); }
    // Writes bytes, taken as Windows-1252, as a single-byte string: the form that older
    // programs wrote and every reader accepts.
    void WriteSingleByteString(std::string_view windows1252Bytes);

    // Integers are little-endian; int and LONG are 32 bits.
    CArchive& operator<<(BYTE b) { return WriteValue(b); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(short n) { return WriteValue(static_cast<WORD>(n)); }
    CArchive& operator<<(int n) { return WriteValue(static_cast<DWORD>(n)); }  // and LONG
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }                  // and UINT
    CArchive& operator<<(std::int64_t n) { return WriteValue(static_cast<std::uint64_t>(n)); }
    CArchive& operator<<(std::uint64_t n) { return WriteValue(n); }
    // The Unicode form: the marker FF FE FF, the length, the UTF-16LE code units.
    CArchive& operator<<(const CString& str);

    CArchive& operator>>(BYTE& b) { return ReadValue(b); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(short& n) { return ReadAs<WORD>(n); }
    CArchive& operator>>(int& n) { return ReadAs<DWORD>(n); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(std::int64_t& n) { return ReadAs<std::uint64_t>(n); }
    CArchive& operator>>(std::uint64_t& n) { return ReadValue(n); }
    // Either form; single-byte strings are decoded as Windows-1252.
    CArchive& operator>>(CString& str);

private:
    template <class T>
    CArchive& WriteValue(T value);
    template <class T>
    CArchive& ReadValue(T& value);
    template <class U, class T>
    CArchive& ReadAs(T& value) {
        U raw{};
        ReadValue(raw);
        value = static_cast<T>(raw);
        return *this;
    }

    void ReadExact(void* lpBuf, std::size_t nCount);
    void WriteStringLength(ULONGLONG nLength, bool bUnicode);
    // The character count of the string at the read position; bUnicode says which form.
    ULONGLONG ReadStringLength(bool& bUnicode);
    void EnsureRemaining(ULONGLONG nBytes, ULONGLONG offset);
    [[noreturn]] void ThrowEndOfFile(ULONGLONG offset) const;
    void CheckLoading() const;
    void CheckStoring() const;
    void FlushBuffer();

    CFile* m_pFile;
    UINT m_nMode;
    CString m_strFileName;
    bool m_bDirect = false;  // loading straight from a memory file's bytes
    bool m_bDetached = false;
    std::unique_ptr<BYTE[]> m_ownBuffer;
    std::size_t m_nBufSize = 0;
    // Loading: [m_pCur, m_pEnd) is read but not yet taken. Storing: [m_pBufStart, m_pCur) is
    // waiting to be written and m_pEnd is the end of the buffer.
    const BYTE* m_pBufStart = nullptr;
    BYTE* m_pWriteBuf = nullptr;  // the same buffer, writable, when there is one
    const BYTE* m_pCur = nullptr;
    const BYTE* m_pEnd = nullptr;
    ULONGLONG m_nBufferBase = 0;  // the file offset of m_pBufStart[0]
};

template <class T>
CArchive& CArchive::WriteValue(T value) {
    BYTE bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<BYTE>(value >> (8 * i));
    }
    CheckStoring();
    if (static_cast<std::size_t>(m_pEnd - m_pCur) >= sizeof(T)) {
        BYTE* cur = m_pWriteBuf + (m_pCur - m_pBufStart);
        for (std::size_t i = 0; i < sizeof(T); ++i)
            cur[i] = bytes[i];
        m_pCur += sizeof(T);
    } else {
        Write(bytes, sizeof(T));
    }
    return *this;
}

template <class T>
CArchive& CArchive::ReadValue(T& value) {
    BYTE bytes[sizeof(T)];
    const BYTE* p;
    if (static_cast<std::size_t>(m_pEnd - m_pCur) >= sizeof(T) && IsLoading()) {
        p = m_pCur;
        m_pCur += sizeof(T);
    } else {
        ReadExact(bytes, sizeof(T));
        p = bytes;
    }
    T v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        v |= static_cast<T>(static_cast<T>(p[i]) << (8 * i));
    value = v;
    return *this;
}
