#pragma once
// Files and folders as the installer uses them. Abstract so that tests can make any step fail.

#include <memory>
#include <span>
#include <string>

#include "platform/base/Types.h"

// A file being written; closed when dropped.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    // Writes all the bytes; FALSE when they could not all be written.
    virtual BOOL Write(std::span<const BYTE> bytes) = 0;
    // FALSE when the file could not be completed.
    virtual BOOL Close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The user's temporary folder, ending in '/'; empty, the reason in *error, when none.
    virtual std::string GetTempPath(std::string* error) = 0;
    // FALSE when it cannot be made, or is there already.
    virtual BOOL CreateDirectory(const std::string& path) = 0;
    // Removes an empty folder; FALSE otherwise.
    virtual BOOL RemoveDirectory(const std::string& path) = 0;
    // Makes a new, empty file of that name for writing. A file already there is replaced; but
    // what is there is never written through (a link) nor reused (a file someone else may hold
    // open): it is removed and the file made afresh, and if someone else makes the name again
    // in between, the creation fails. Nothing when the file cannot be made.
    virtual std::unique_ptr<WritableFile> CreateFile(const std::string& path) = 0;
    // Deletes a file (a link itself, not what it points to); FALSE when it cannot.
    virtual BOOL DeleteFile(const std::string& path) = 0;
};

class RealFileSystem : public FileSystem {
public:
    std::string GetTempPath(std::string* error) override;
    BOOL CreateDirectory(const std::string& path) override;
    BOOL RemoveDirectory(const std::string& path) override;
    std::unique_ptr<WritableFile> CreateFile(const std::string& path) override;
    BOOL DeleteFile(const std::string& path) override;
};
