#include "tools/appmgr/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace appmgr {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path) {
    throw std::system_error(errno, std::generic_category(), what + " " + path.string());
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int Get() const { return m_fd; }
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

}  // namespace

void WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                  mode_t mode) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (fd.Get() < 0) {
        Fail("cannot create", path);
    }
    try {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                Fail("cannot write", path);
            }
            done += static_cast<std::size_t>(n);
        }
        // The mode is given again because the user's umask narrowed it at creation.
        if (::fchmod(fd.Get(), mode) != 0) {
            Fail("cannot set the mode of", path);
        }
        if (::fsync(fd.Get()) != 0) {
            Fail("cannot flush", path);
        }
        if (::close(fd.Release()) != 0) {
            Fail("cannot close", path);
        }
    } catch (...) {
        ::unlink(path.c_str());
        throw;
    }
}

void ReplaceFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                 mode_t mode) {
    std::random_device random;
    auto temp = path;
    temp += ".new-" + std::to_string(random());
    WriteNewFile(temp, bytes, mode);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        errno = error;
        Fail("cannot replace", path);
    }
}

std::string ReadSmallFile(const std::filesystem::path& path, std::uintmax_t maxSize) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        Fail("cannot open", path);
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail("cannot read", path);
        }
        if (n == 0) {
            return text;
        }
        if (text.size() + static_cast<std::size_t>(n) > maxSize) {
            throw std::length_error(path.string() + " is larger than " + std::to_string(maxSize) +
                                    " bytes");
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

}  // namespace appmgr
