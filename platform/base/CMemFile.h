#pragma once
// A file in memory: either over a buffer the caller owns (grow-by 0: it never grows, and is
// never freed here) or over a buffer of its own that grows as it is written.

#include <vector>

#include "platform/base/CFile.h"

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    // An empty file with a buffer of its own, grown at least nGrowBytes at a time.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Over the caller's buffer, which must outlive the file; see Attach.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // The file's content becomes the nBufferSize bytes at lpBuffer. With nGrowBytes 0 a write
    // beyond them throws CMemoryException; otherwise the content moves into a buffer of the
    // file's own and the caller's is no longer touched.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands over the content (GetLength() bytes) and leaves the file empty and closed.
    std::vector<BYTE> Detach();

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }
    std::optional<std::span<const BYTE>> GetReadableMemory() const override;

private:
    // Makes room for nSize bytes of content.
    void Reserve(std::size_t nSize);

    std::vector<BYTE> m_owned;   // the buffer when it is the file's own
    BYTE* m_lpBuffer = nullptr;  // the buffer in use: m_owned's or the caller's
    std::size_t m_nBufferSize = 0;
    std::size_t m_nFileSize = 0;
    std::size_t m_nPosition = 0;
    UINT m_nGrowBytes = 1024;
};
