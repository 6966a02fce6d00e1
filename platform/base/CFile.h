#pragma once
// The framework's file: an operating-system file opened by name, read and written without a
// buffer of its own (CArchive buffers). Paths are UTF-16 as everywhere in the programs and are
// handed to the system in UTF-8.

#include <optional>
#include <span>

#include "platform/base/CException.h"
#include "platform/base/CObject.h"
#include "platform/base/CString.h"

using LONGLONG = std::int64_t;

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0,
        modeWrite = 1,
        modeReadWrite = 2,
        // Linux has no share modes that bind other programs; they are accepted and ignored.
        // Files the user owns are replaced atomically (CAtomicFile), so no reader ever sees
        // half of one.
        shareCompat = 0,
        shareExclusive = 0x10,
        shareDenyWrite = 0x20,
        shareDenyRead = 0x30,
        shareDenyNone = 0x40,
        modeNoInherit = 0x80,  // always so: no file is inherited by a child process
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };
    static constexpr int hFileNull = -1;

    CFile() = default;
    // Opens, or throws the CFileException that Open would have filled.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // Closes the file; errors are not reported here, so call Close to see them.
    ~CFile() override;

    // FALSE on failure, with pError filled when given; never throws a CFileException. A name
    // that does not exist falls back to one in the same folder that differs only in letter case.
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

    // The number of bytes read: fewer than nCount only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // All of it, or a CFileException (a full disk or a size limit included).
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetPosition() const;
    // Forces what was written onto the disk.
    virtual void Flush();
    virtual void Close();
    // Closes without reporting errors; for clean-up after a failure.
    virtual void Abort();

    CString GetFilePath() const { return m_strFileName; }
    // The name used in error texts; a CMemFile has none unless it is given one.
    void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }
    BOOL IsOpen() const { return m_hFile != hFileNull; }

    // A memory-backed file's whole content, so that an archive can read it in place without a
    // copy; nothing for a file on disk.
    virtual std::optional<std::span<const BYTE>> GetReadableMemory() const { return std::nullopt; }

    static void Remove(LPCTSTR lpszFileName);
    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);

    int m_hFile = hFileNull;

protected:
    [[noreturn]] void ThrowErrno(int error) const;
    void CheckOpen() const;

    CString m_strFileName;
};
