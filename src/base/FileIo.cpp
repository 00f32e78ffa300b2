// Whole-file reads with a size limit and atomic writes through a temporary file.
#include "base/FileIo.h"

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {
constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
} // namespace

ReadStatus readFileLimited(const std::string& path, size_t maxBytes, std::string& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return ReadStatus::Unreadable;
    struct stat sb {};
    if (::fstat(fd, &sb) != 0 || !S_ISREG(sb.st_mode)) {
        ::close(fd);
        return ReadStatus::Unreadable;
    }
    // Refused before anything is read: a file of that size is not one of ours.
    if (static_cast<unsigned long long>(sb.st_size) > maxBytes) {
        ::close(fd);
        return ReadStatus::TooLarge;
    }
    std::string data;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return ReadStatus::Unreadable;
        }
        if (n == 0)
            break;
        data.append(buf, static_cast<size_t>(n));
        // A file that grows while it is read is held to the same limit.
        if (data.size() > maxBytes) {
            ::close(fd);
            return ReadStatus::TooLarge;
        }
    }
    ::close(fd);
    out = std::move(data);
    return ReadStatus::Ok;
}

bool readFile(const std::string& path, std::string& out) {
    return readFileLimited(path, std::numeric_limits<size_t>::max(), out) == ReadStatus::Ok;
}

bool writeThroughTemporary(const std::string& path,
                           const std::function<bool(int fd, const std::string& tmpPath)>& fill) {
    if (path.empty())
        return false;

    // A fresh temporary beside the target, so that the rename stays within one file system.
    // Created with 0666 so that the user's umask decides the mode, as for any new file.
    std::random_device rd;
    std::string tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string suffix;
        for (int k = 0; k < 8; ++k)
            suffix.push_back(kDigits[rd() % 36]);
        tmp = path + ".tmp-" + suffix;
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;

    auto fail = [&]() {
        if (fd >= 0)
            ::close(fd);
        ::unlink(tmp.c_str());
        return false;
    };

    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        (void)::fchmod(fd, old.st_mode & 07777);

    if (!fill(fd, tmp) || ::fsync(fd) != 0)
        return fail();
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return fail();
    if (::rename(tmp.c_str(), path.c_str()) != 0)
        return fail();

    // Make the rename itself durable; a failure here no longer endangers either file.
    const size_t slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        (void)::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

bool writeFileAtomic(const std::string& path, const std::string& bytes) {
    return writeThroughTemporary(path, [&bytes](int fd, const std::string&) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            done += static_cast<size_t>(n);
        }
        return true;
    });
}

} // namespace velmora
