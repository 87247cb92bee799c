// Starting a host program detached from us, as a GUI program starts another: in its own
// session, never our zombie, with no terminal to write to.
#pragma once

#include <string>
#include <vector>

enum class SpawnOutcome {
    Started,   // it runs (or ran and ended well within the watch)
    NotExeced, // exec failed: `error` holds the errno
    GaveUp,    // it ended with a failure within the watch
};

struct SpawnResult {
    SpawnOutcome outcome;
    int error;
};

// Runs `file` with `argv` and `env` in `folder` (unchanged when empty), its standard input,
// output and error on /dev/null. For `watchMilliseconds` after the exec it is watched: an end
// with a non-zero status or by a signal in that time is GaveUp.
SpawnResult SpawnDetached(const std::string &file, std::vector<std::string> argv,
                          std::vector<std::string> env, const std::string &folder, int watchMilliseconds);

// Runs `file` with `argv` and `env`, its standard files on /dev/null, and waits for its end:
// 0 with its exit status in `exitCode`, or the errno of a failed start; a program still
// running after `timeoutMilliseconds` is killed (ETIMEDOUT).
int RunToEnd(const std::string &file, std::vector<std::string> argv, std::vector<std::string> env,
             int timeoutMilliseconds, int &exitCode);
