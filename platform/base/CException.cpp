#include "platform/base/CException.h"

#include <algorithm>
#include <cerrno>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

// Puts the file's name in place of %1; the sentence may start with it.
CString Sentence(std::u16string_view pattern, const CString& fileName) {
    CString text(pattern);
    const bool atStart = text.Find(u"%1") == 0;
    text.Replace(u"%1",
                 fileName.IsEmpty() ? (atStart ? u"The file" : u"the file") : fileName.View());
    return text;
}

}  // namespace

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    const CString text = ErrorText();
    const auto n = std::min<std::size_t>(text.Str().size(), nMaxError - 1);
    std::copy_n(text.Str().data(), n, lpszError);
    lpszError[n] = u'\0';
    return TRUE;
}

const char* CException::what() const noexcept {
    try {
        m_what = ErrorText().ToUtf8();
        return m_what.c_str();
    } catch (...) {
        return "CException";
    }
}

CString CException::ErrorText() const {
    return CString(u"An unexpected error occurred.");
}

CString CMemoryException::ErrorText() const {
    return CString(u"There is not enough memory to complete the operation.");
}

CString CInvalidArgException::ErrorText() const {
    return CString(u"An invalid size or position was given.");
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}

int CFileException::OsErrorToException(LONG lOsError) {
    switch (lOsError) {
        case 0:
            return none;
        case ENOENT:
            return fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL:
        case EXDEV:
            return badPath;
        case EMFILE:
        case ENFILE:
            return tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EEXIST:
        case ETXTBSY:
            return accessDenied;
        case EBADF:
            return invalidFile;
        case EBUSY:
            return sharingViolation;
        case ENOLCK:
        case EDEADLK:
            return lockViolation;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return diskFull;
        case EIO:
            return hardIO;
        case ESPIPE:
        case EOVERFLOW:
            return badSeek;
        case EMLINK:
            return directoryFull;
        default:
            return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, const CString& fileName) {
    throw CFileException(OsErrorToException(lOsError), lOsError, fileName);
}

CString CFileException::ErrorText() const {
    switch (m_cause) {
        case none:
            return Sentence(u"No error occurred with %1.", m_strFileName);
        case fileNotFound:
            return Sentence(u"%1 was not found.", m_strFileName);
        case badPath:
            return Sentence(u"All or part of the path of %1 is not valid.", m_strFileName);
        case tooManyOpenFiles:
            return Sentence(u"Too many files are open to open %1.", m_strFileName);
        case accessDenied:
            return Sentence(u"Access to %1 was denied.", m_strFileName);
        case invalidFile:
            return Sentence(u"An invalid file handle was used with %1.", m_strFileName);
        case removeCurrentDir:
            return Sentence(u"%1 cannot be removed because it is the current folder.",
                            m_strFileName);
        case directoryFull:
            return Sentence(u"There is no room left in the folder for %1.", m_strFileName);
        case badSeek:
            return Sentence(u"The position in %1 could not be set.", m_strFileName);
        case hardIO:
            return Sentence(u"A hardware error occurred while accessing %1.", m_strFileName);
        case sharingViolation:
            return Sentence(u"%1 is in use by another program.", m_strFileName);
        case lockViolation:
            return Sentence(u"%1 is locked.", m_strFileName);
        case diskFull:
            return Sentence(u"There is not enough space on the disk to write %1.", m_strFileName);
        case endOfFile:
            return Sentence(u"An attempt was made to read past the end of %1.", m_strFileName);
        default:
            return Sentence(u"An unexpected error occurred while accessing %1.", m_strFileName);
    }
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName, long long offset)
    : m_cause(cause), m_strFileName(lpszArchiveName), m_nOffset(offset) {}

CString CArchiveException::ErrorText() const {
    std::u16string_view pattern;
    switch (m_cause) {
        case none:
            pattern = u"No error occurred with %1";
            break;
        case readOnly:
            pattern = u"%1 was opened for reading and cannot be written";
            break;
        case endOfFile:
            pattern = u"%1 ends unexpectedly";
            break;
        case writeOnly:
            pattern = u"%1 was opened for writing and cannot be read";
            break;
        case badIndex:
            pattern = u"%1 has an invalid format";
            break;
        case badClass:
            pattern = u"%1 holds an object of an unexpected class";
            break;
        case badSchema:
            pattern = u"%1 holds an object of an unsupported version";
            break;
        default:
            pattern = u"An unexpected error occurred while reading or writing %1";
            break;
    }
    CString text = Sentence(pattern, m_strFileName);
    if (m_nOffset >= 0) {
        CString at;
        at.Format(u" at byte %lld", m_nOffset);
        text += at;
    }
    text += u'.';
    return text;
}
