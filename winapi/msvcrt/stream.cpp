#include "stream.h"

#include <errno.h>
#include <string.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <unordered_map>

#include <winapi_linux.h>

namespace {

// The run-time library's own stream buffer on Windows.
const size_t STREAM_BUFFER_SIZE = 4096;
const char CTRL_Z = 0x1A;

// A text stream's file.
struct Descriptor {
    int fd;
    // Reading: a byte read ahead after a CR, -1 when none.
    int lookahead;
    bool endOfText;
    // The stream's buffer: the host would pick its own size for a stream without a file.
    char buffer[STREAM_BUFFER_SIZE];
};

std::mutex g_streamsLock;
// Every open stream on a Windows path, with its descriptor.
std::unordered_map<FILE *, int> g_streams;
std::atomic<unsigned> g_failingWrites;
// How many bytes each failing write still writes before it stops.
std::atomic<size_t> g_bytesBeforeFailure;

bool WriteAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= (size_t)written;
    }
    return true;
}

ssize_t ReadRaw(int fd, char *buffer, size_t size)
{
    for (;;) {
        ssize_t got = read(fd, buffer, size);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

// Text mode: CR LF becomes LF, a CR followed by anything else stays; Ctrl+Z ends the text.
ssize_t ReadText(Descriptor *d, char *buffer, size_t size)
{
    size_t out = 0;
    while (out == 0 && !d->endOfText) {
        char raw[STREAM_BUFFER_SIZE];
        size_t want = size < sizeof raw ? size : sizeof raw;
        size_t got = 0;
        if (d->lookahead >= 0) {
            raw[got++] = (char)d->lookahead;
            d->lookahead = -1;
        }
        ssize_t n = ReadRaw(d->fd, raw + got, want - got);
        if (n < 0)
            return out > 0 ? (ssize_t)out : -1;
        got += (size_t)n;
        if (got == 0)
            break;
        for (size_t i = 0; i < got; ++i) {
            char c = raw[i];
            if (c == CTRL_Z) {
                d->endOfText = true;
                break;
            }
            if (c == '\r') {
                char next;
                if (i + 1 < got)
                    next = raw[i + 1];
                else if (ReadRaw(d->fd, &next, 1) == 1)
                    d->lookahead = (unsigned char)next;
                else
                    next = 0;
                if (next == '\n') {
                    if (i + 1 < got)
                        ++i;
                    else
                        d->lookahead = -1;
                    c = '\n';
                }
            }
            buffer[out++] = c;
        }
    }
    return (ssize_t)out;
}

ssize_t StreamRead(void *cookie, char *buffer, size_t size)
{
    return ReadText(static_cast<Descriptor *>(cookie), buffer, size);
}

ssize_t StreamWrite(void *cookie, const char *data, size_t size)
{
    Descriptor *d = static_cast<Descriptor *>(cookie);
    // Every LF goes out as CR LF; what counts as written is the caller's bytes. The host takes
    // 0, never a negative count, as a failed write.
    char translated[2 * STREAM_BUFFER_SIZE];
    size_t done = 0;
    while (done < size) {
        size_t used = 0, length = 0;
        while (done + used < size && length + 2 <= sizeof translated) {
            char c = data[done + used++];
            if (c == '\n')
                translated[length++] = '\r';
            translated[length++] = c;
        }
        if (!WriteAll(d->fd, translated, length))
            return (ssize_t)done;
        done += used;
    }
    return (ssize_t)size;
}

int StreamSeek(void *cookie, off64_t *position, int whence)
{
    Descriptor *d = static_cast<Descriptor *>(cookie);
    off64_t offset = *position;
    // The byte read ahead is not the caller's yet.
    if (whence == SEEK_CUR && d->lookahead >= 0)
        offset -= 1;
    off64_t result = lseek64(d->fd, offset, whence);
    if (result < 0)
        return -1;
    d->lookahead = -1;
    d->endOfText = false;
    *position = result;
    return 0;
}

int StreamClose(void *cookie)
{
    Descriptor *d = static_cast<Descriptor *>(cookie);
    int result = close(d->fd);
    delete d;
    return result;
}

} // namespace

FILE *OpenDescriptorStream(int fd, const char *mode, bool text)
{
    // The host's modes are the same letters without the text and binary ones.
    char hostMode[4] = {mode[0], 0, 0, 0};
    if (strchr(mode, '+'))
        hostMode[1] = '+';

    FILE *stream;
    if (text) {
        Descriptor *d = new Descriptor{fd, -1, false, {}};
        cookie_io_functions_t functions = {StreamRead, StreamWrite, StreamSeek, StreamClose};
        stream = fopencookie(d, hostMode, functions);
        if (stream)
            setvbuf(stream, d->buffer, _IOFBF, sizeof d->buffer);
        else
            delete d;
    } else {
        stream = fdopen(fd, hostMode);
    }
    if (!stream) {
        int saved = errno;
        close(fd);
        errno = saved;
        return NULL;
    }
    std::lock_guard<std::mutex> lock(g_streamsLock);
    g_streams[stream] = fd;
    return stream;
}

int StreamDescriptor(FILE *stream)
{
    std::lock_guard<std::mutex> lock(g_streamsLock);
    auto it = g_streams.find(stream);
    return it == g_streams.end() ? -1 : it->second;
}

void ForgetStream(FILE *stream)
{
    std::lock_guard<std::mutex> lock(g_streamsLock);
    g_streams.erase(stream);
}

bool TakeFailingWrite(FILE *stream, size_t &bytesWritten)
{
    for (unsigned pending = g_failingWrites.load(); pending > 0;) {
        if (StreamDescriptor(stream) < 0)
            return false;
        if (g_failingWrites.compare_exchange_weak(pending, pending - 1)) {
            bytesWritten = g_bytesBeforeFailure.load();
            return true;
        }
    }
    return false;
}

/***********************************************************************
 *           WinapiFailStreamWrites
 */
void WinapiFailStreamWrites(UINT nWrites, UINT cbWritten)
{
    g_bytesBeforeFailure = cbWritten;
    g_failingWrites = nWrites;
}
