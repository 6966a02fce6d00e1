#pragma once
// The files the installer has written, or tried to write, in the order of writing, so that
// every way out can delete them.

#include <string>
#include <vector>

class FileSystem;

class CTempFileList {
public:
    explicit CTempFileList(FileSystem& files) : m_files(files) {}
    // Deletes the files once more: whatever an early way out left behind goes too.
    ~CTempFileList() { DeleteAll(); }
    CTempFileList(const CTempFileList&) = delete;
    CTempFileList& operator=(const CTempFileList&) = delete;

    void Add(const std::string& path) { m_paths.push_back(path); }
    // Deletes each file, first to last; one that cannot be deleted (or is gone) is passed
    // over. The list keeps its entries.
    void DeleteAll();

    const std::vector<std::string>& Paths() const { return m_paths; }

private:
    FileSystem& m_files;
    std::vector<std::string> m_paths;
};
