#include "hostio.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

int ReadWhole(int fd, std::string &text)
{
    text.clear();
    char buf[65536];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        text.append(buf, (size_t)n);
    }
}

int ReadWholeFile(const std::string &hostPath, std::string &text)
{
    int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int err = ReadWhole(fd, text);
    close(fd);
    return err;
}

int WriteWhole(int fd, const std::string &text)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        done += (size_t)n;
    }
    return 0;
}

namespace {

std::string FolderOf(const std::string &hostPath)
{
    size_t slash = hostPath.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : hostPath.substr(0, slash);
}

// The process id in a temporary file's name (stem, digits, ".tmp"), or 0 for another name.
pid_t TempFileOwner(const std::string &name, const std::string &stem)
{
    const std::string suffix = ".tmp";
    if (name.size() <= stem.size() + suffix.size() || name.compare(0, stem.size(), stem) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    std::string digits = name.substr(stem.size(), name.size() - stem.size() - suffix.size());
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return (pid_t)atoi(digits.c_str());
}

// A temporary file survives only a writer that was killed between writing and renaming.
void RemoveDeadWritersTempFiles(const std::string &folder, const std::string &stem)
{
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (struct dirent *entry = readdir(dir)) {
        pid_t owner = TempFileOwner(entry->d_name, stem);
        if (owner > 0 && owner != getpid() && kill(owner, 0) != 0 && errno == ESRCH)
            unlink((folder + "/" + entry->d_name).c_str());
    }
    closedir(dir);
}

} // namespace

int ReplaceWholeFile(const std::string &hostPath, const std::string &text, const std::string &tempStem)
{
    std::string target = hostPath;
    char resolved[PATH_MAX];
    struct stat st;
    if (lstat(hostPath.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && realpath(hostPath.c_str(), resolved))
        target = resolved;
    bool exists = stat(target.c_str(), &st) == 0;

    std::string folder = FolderOf(target);
    RemoveDeadWritersTempFiles(folder, tempStem);
    std::string temp = folder + "/" + tempStem + std::to_string(getpid()) + ".tmp";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int err = WriteWhole(fd, text);
    if (!err && exists && fchmod(fd, st.st_mode & 07777) != 0)
        err = errno;
    if (!err && fsync(fd) != 0)
        err = errno;
    if (close(fd) != 0 && !err)
        err = errno;
    if (!err && rename(temp.c_str(), target.c_str()) != 0)
        err = errno;
    if (err) {
        unlink(temp.c_str());
        return err;
    }
    SyncParentFolder(target);
    return 0;
}

void SyncParentFolder(const std::string &hostPath)
{
    int fd = open(FolderOf(hostPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}
