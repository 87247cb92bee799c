// Streams on host files opened for Windows paths. Binary streams are the host's own over the
// file; text streams have the run-time library's buffer of 4096 bytes and the Windows line
// ends (LF written as CR LF; CR LF read as LF, and Ctrl+Z ending the text).
#ifndef WINAPI_MSVCRT_STREAM_H
#define WINAPI_MSVCRT_STREAM_H

#include <stdio.h>

// A stream over the open descriptor fd, which it owns from then on (fclose closes it); mode is
// the fopen mode. NULL with errno set when no stream can be made; fd is then closed.
FILE *OpenDescriptorStream(int fd, const char *mode, bool text);

// The descriptor under a stream made by OpenDescriptorStream; -1 for any other stream.
int StreamDescriptor(FILE *stream);

// The stream is being closed: it is no longer one of ours.
void ForgetStream(FILE *stream);

// TRUE when this write to a stream of ours is to fail (WinapiFailStreamWrites); bytesWritten
// then receives how many of its bytes it still writes.
bool TakeFailingWrite(FILE *stream, size_t &bytesWritten);

#endif
