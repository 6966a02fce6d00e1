#include "platform/desktop/FileSystem.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/desktop/TempPath.h"

namespace {

class RealWritableFile : public WritableFile {
public:
    explicit RealWritableFile(int fd) : m_fd(fd) {}
    ~RealWritableFile() override { Close(); }

    BOOL Write(std::span<const BYTE> bytes) override {
        if (m_fd < 0)
            return FALSE;
        while (!bytes.empty()) {
            const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return FALSE;
            }
            bytes = bytes.subspan(static_cast<std::size_t>(n));
        }
        return TRUE;
    }

    BOOL Close() override {
        if (m_fd < 0)
            return TRUE;
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0 ? TRUE : FALSE;
    }

private:
    int m_fd;
};

}  // namespace

std::string RealFileSystem::GetTempPath(std::string* error) {
    return PrivateTempPath(error);
}

BOOL RealFileSystem::CreateDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0700) == 0 ? TRUE : FALSE;
}

BOOL RealFileSystem::RemoveDirectory(const std::string& path) {
    return ::rmdir(path.c_str()) == 0 ? TRUE : FALSE;
}

std::unique_ptr<WritableFile> RealFileSystem::CreateFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return nullptr;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return nullptr;
    return std::make_unique<RealWritableFile>(fd);
}

BOOL RealFileSystem::DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? TRUE : FALSE;
}
