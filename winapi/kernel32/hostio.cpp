#include "hostio.h"

#include <errno.h>
#include <unistd.h>

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
