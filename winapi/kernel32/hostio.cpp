#include "hostio.h"

#include <errno.h>
#include <fcntl.h>
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
