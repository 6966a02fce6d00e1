#pragma once
// The framework's exceptions. They are thrown by value and caught by reference
// (catch (const CFileException& e)); deriving from std::exception as well lets a handler of last
// resort still report one that no framework-style handler caught.

#include <exception>
#include <string>

#include "platform/base/CObject.h"
#include "platform/base/CString.h"

class CException : public CObject, public std::exception {
    DECLARE_DYNAMIC(CException)
public:
    CException() = default;
    CException(const CException&) = default;
    CException& operator=(const CException&) = default;

    // Copies the text, cut to nMaxError - 1 characters and null-terminated, into lpszError;
    // sets *pnHelpContext to 0. FALSE, with nothing written, when there is no room at all.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
    CString GetErrorMessage() const { return ErrorText(); }
    // The text in UTF-8.
    const char* what() const noexcept override;

protected:
    // One sentence for the user. Kept apart from GetErrorMessage so that its two overloads are
    // never hidden by a subclass.
    virtual CString ErrorText() const;

private:
    mutable std::string m_what;
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
protected:
    CString ErrorText() const override;
};

// A size or an index that no array can take.
class CInvalidArgException : public CException {
    DECLARE_DYNAMIC(CInvalidArgException)
protected:
    CString ErrorText() const override;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);

    // The cause that an errno value stands for.
    static int OsErrorToException(LONG lOsError);
    [[noreturn]] static void ThrowOsError(LONG lOsError, const CString& fileName = CString());

    int m_cause;
    LONG m_lOsError;  // errno, or -1 when there was none
    CString m_strFileName;

protected:
    CString ErrorText() const override;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr,
                               long long offset = -1);

    int m_cause;
    CString m_strFileName;
    // Where in the file the fault was found, in bytes from its start; -1 when not known.
    long long m_nOffset;

protected:
    CString ErrorText() const override;
};
