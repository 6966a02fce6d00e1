#include "platform/base/CAtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "platform/base/PathCase.h"

IMPLEMENT_DYNAMIC(CAtomicFile, CFile)

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new file beside the target, named after it, that no one else has.
int CreateUniqueFile(const std::string& target, mode_t mode, std::string& name) {
    static thread_local std::mt19937_64 random{std::random_device{}() ^
                                               static_cast<unsigned long long>(::getpid())};
    const std::string folder = FolderOf(target);
    const std::string prefix = (folder == "/" ? "/" : folder + "/") + "." + NameOf(target) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[17];
        std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
        name = prefix + suffix + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || (errno != EEXIST && errno != EINTR))
            return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

CAtomicFile::~CAtomicFile() {
    Discard();
}

BOOL CAtomicFile::Open(LPCTSTR lpszFileName, CFileException* pError) {
    Discard();
    m_bCommitted = false;
    m_strFileName = lpszFileName;
    auto fail = [&](int cause, int error) {
        if (pError != nullptr) {
            pError->m_cause = cause;
            pError->m_lOsError = error;
            pError->m_strFileName = m_strFileName;
        }
        return FALSE;
    };

    std::string target = m_strFileName.ToUtf8();
    if (target.empty())
        return fail(CFileException::badPath, ENOENT);
    target = platform::ResolveCase(target);
    // A link is followed, so that the file it names is replaced and the link stays.
    struct stat st {};
    if (lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(target.c_str(), resolved) != nullptr)
            target = resolved;
    }

    mode_t mode = 0644;  // the process's umask applies
    const bool exists = stat(target.c_str(), &st) == 0;
    if (exists) {
        if (!S_ISREG(st.st_mode))
            return fail(CFileException::accessDenied, EISDIR);
        // Read-only is judged by the permission bits too, as the device's read-only attribute
        // binds every user: otherwise the rename would replace a file that may not be written.
        if ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
            return fail(CFileException::accessDenied, EACCES);
        }
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        const int error = errno;
        return fail(CFileException::OsErrorToException(error), error);
    }

    std::string temp;
    const int fd = CreateUniqueFile(target, mode, temp);
    if (fd < 0) {
        const int error = errno;
        return fail(CFileException::OsErrorToException(error), error);
    }
    if (exists) {
        // The replacement keeps the former file's permissions and, where we may, its owner.
        ::fchmod(fd, mode);
        // Only root may give a file away; an ordinary user's own file keeps its owner anyway.
        static_cast<void>(::fchown(fd, st.st_uid, st.st_gid));
    }
    m_hFile = fd;
    m_target = std::move(target);
    m_temp = std::move(temp);
    return TRUE;
}

void CAtomicFile::Commit() {
    CheckOpen();
    try {
        CFile::Flush();
        CFile::Close();
    } catch (...) {
        Discard();
        throw;
    }
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        const int error = errno;
        Discard();
        ThrowErrno(error);
    }
    m_temp.clear();
    m_bCommitted = true;
    // The rename itself reaches the disk with the folder. Some file systems cannot sync a
    // folder; the content is in place whatever happens here.
    const int dir = ::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void CAtomicFile::Close() {
    if (!m_bCommitted)
        Discard();
}

void CAtomicFile::Abort() {
    Discard();
}

void CAtomicFile::Discard() noexcept {
    CFile::Abort();
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}
