#include "platform/base/CFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <limits>

#include "platform/base/PathCase.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        throw error;
}

CFile::~CFile() {
    Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    if (IsOpen())
        Abort();
    m_strFileName = lpszFileName;
    auto fail = [&](int cause, int error) {
        if (pError != nullptr) {
            pError->m_cause = cause;
            pError->m_lOsError = error;
            pError->m_strFileName = m_strFileName;
        }
        return FALSE;
    };

    int flags = O_CLOEXEC;
    switch (nOpenFlags & 3) {
        case modeRead:
            flags |= O_RDONLY;
            break;
        case modeWrite:
            flags |= O_WRONLY;
            break;
        case modeReadWrite:
            flags |= O_RDWR;
            break;
        default:
            return fail(CFileException::badPath, EINVAL);
    }
    if ((nOpenFlags & modeCreate) != 0) {
        flags |= O_CREAT;
        if ((nOpenFlags & modeNoTruncate) == 0)
            flags |= O_TRUNC;
    }

    std::string path = m_strFileName.ToUtf8();
    if (path.empty())
        return fail(CFileException::badPath, ENOENT);
    // Only the last part of the path is matched. Creating is included: on the device a name
    // in another letter case is the same file, so it is that file that gets written.
    if ((flags & O_CREAT) != 0)
        path = platform::ResolveCase(path);
    auto openPath = [flags](const std::string& p) {
        int fd;
        do {
            fd = ::open(p.c_str(), flags, 0666);
        } while (fd < 0 && errno == EINTR);
        return fd;
    };
    int fd = openPath(path);
    if (fd < 0 && errno == ENOENT && (flags & O_CREAT) == 0) {
        if (const auto variant = platform::FindCaseVariant(path)) {
            fd = openPath(*variant);
        } else {
            errno = ENOENT;
        }
    }
    if (fd < 0) {
        const int error = errno;
        return fail(CFileException::OsErrorToException(error), error);
    }
    // A folder opens for reading on Linux but is no file the programs could read.
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(CFileException::accessDenied, EISDIR);
    }
    m_hFile = fd;
    return TRUE;
}

void CFile::ThrowErrno(int error) const {
    CFileException::ThrowOsError(error, m_strFileName);
}

void CFile::CheckOpen() const {
    if (!IsOpen())
        throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    CheckOpen();
    auto* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::read(m_hFile, out + done, nCount - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (n == 0)
            break;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    CheckOpen();
    const auto* in = static_cast<const BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::write(m_hFile, in + done, nCount - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (n == 0)
            ThrowErrno(ENOSPC);  // nothing written and no reason given
        done += static_cast<UINT>(n);
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    CheckOpen();
    if (nFrom > end)
        throw CFileException(CFileException::badSeek, EINVAL, m_strFileName);
    const int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    const off_t pos = ::lseek(m_hFile, static_cast<off_t>(lOff), whence);
    if (pos < 0) {
        throw CFileException(CFileException::badSeek, errno, m_strFileName);
    }
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const {
    CheckOpen();
    struct stat st {};
    if (fstat(m_hFile, &st) != 0)
        ThrowErrno(errno);
    return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG dwNewLen) {
    CheckOpen();
    if (dwNewLen > static_cast<ULONGLONG>(std::numeric_limits<off_t>::max()))
        ThrowErrno(EFBIG);
    if (::ftruncate(m_hFile, static_cast<off_t>(dwNewLen)) != 0)
        ThrowErrno(errno);
}

ULONGLONG CFile::GetPosition() const {
    CheckOpen();
    const off_t pos = ::lseek(m_hFile, 0, SEEK_CUR);
    if (pos < 0)
        throw CFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<ULONGLONG>(pos);
}

void CFile::Flush() {
    CheckOpen();
    // Pipes and terminals cannot be synchronised and need not be.
    if (::fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS)
        ThrowErrno(errno);
}

void CFile::Close() {
    if (!IsOpen())
        return;
    const int fd = m_hFile;
    m_hFile = hFileNull;
    // After close the descriptor is gone whatever the result, so it is never retried; an
    // error here can mean that written data did not reach the disk.
    if (::close(fd) != 0 && errno != EINTR)
        ThrowErrno(errno);
}

void CFile::Abort() {
    if (!IsOpen())
        return;
    ::close(m_hFile);
    m_hFile = hFileNull;
}

void CFile::Remove(LPCTSTR lpszFileName) {
    const CString name(lpszFileName);
    const std::string path = platform::ResolveCase(name.ToUtf8());
    if (::unlink(path.c_str()) != 0)
        CFileException::ThrowOsError(errno, name);
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
    const CString oldName(lpszOldName);
    const std::string from = platform::ResolveCase(oldName.ToUtf8());
    const std::string to = CString(lpszNewName).ToUtf8();
    if (::rename(from.c_str(), to.c_str()) != 0)
        CFileException::ThrowOsError(errno, oldName);
}
