#include "tests/support/FileSystemLimits.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <csignal>

FileSizeLimit::FileSizeLimit(long long bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    previousLimit_ = static_cast<long long>(limit.rlim_cur);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(previousLimit_);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler_);
}

namespace {

bool setImmutable(const QString& folder, bool on) {
    const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return done;
}

}  // namespace

FolderRefusingNewFiles::FolderRefusingNewFiles(const QString& folder)
    : folder_(folder), immutable_(geteuid() == 0 && setImmutable(folder_, true)) {
    active_ = geteuid() == 0 ? immutable_
                             : QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner);
}

FolderRefusingNewFiles::~FolderRefusingNewFiles() {
    if (immutable_) {
        setImmutable(folder_, false);
    } else if (active_) {
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}
