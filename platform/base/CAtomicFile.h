#pragma once
// A file that replaces another whole or not at all: the content goes to a new file in the same
// folder, and only Commit puts it in the target's place. Until then, and whatever fails, the
// former file stays as it was. Used for the files the user owns (favourites, settings).

#include "platform/base/CFile.h"

class CAtomicFile : public CFile {
    DECLARE_DYNAMIC(CAtomicFile)
public:
    CAtomicFile() = default;
    // Without a Commit, the new content is thrown away.
    ~CAtomicFile() override;

    // Prepares to replace lpszFileName (which need not exist yet). Fails with accessDenied when
    // the target is read-only, or when the folder does not let us create a file in it.
    BOOL Open(LPCTSTR lpszFileName, CFileException* pError = nullptr);

    // Forces the content onto the disk and puts it in the target's place. Throws
    // CFileException on failure, after which the former file is still whole.
    void Commit();
    // Closing without Commit throws the new content away, as Abort does.
    void Close() override;
    void Abort() override;

    BOOL IsCommitted() const { return m_bCommitted; }

private:
    void Discard() noexcept;

    std::string m_target;  // the file to replace, letter case resolved
    std::string m_temp;    // the new content until Commit; empty when there is none
    bool m_bCommitted = false;
};
