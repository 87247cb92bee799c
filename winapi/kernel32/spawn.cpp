// The double fork behind WinExec. A middle process in a session of its own forks the program
// and watches its first moments, so that a loader that gives up at once is reported as a
// failure; then it ends, and the program is reparented to init.
#include "spawn.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<char *> Pointers(std::vector<std::string> &strings)
{
    std::vector<char *> pointers;
    for (std::string &s : strings)
        pointers.push_back(&s[0]);
    pointers.push_back(nullptr);
    return pointers;
}

// Async-signal-safe helpers: the forked processes use nothing else, since the parent may
// have other threads.
void WriteAll(int fd, const void *data, size_t size)
{
    while (write(fd, data, size) < 0 && errno == EINTR) {
    }
}

bool ReadAll(int fd, void *data, size_t size)
{
    ssize_t n;
    while ((n = read(fd, data, size)) < 0 && errno == EINTR) {
    }
    return n == (ssize_t)size;
}

long long NowMilliseconds()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

// In the program's process: its folder, /dev/null for its standard files, then exec.
// Writes the errno to `report` when any of it fails.
[[noreturn]] void ExecProgram(const char *file, char *const argv[], char *const env[], const char *folder,
                              int report)
{
    int err = 0;
    if (*folder && chdir(folder) != 0)
        err = errno;
    if (!err) {
        int null = open("/dev/null", O_RDWR);
        if (null < 0 || dup2(null, 0) < 0 || dup2(null, 1) < 0 || dup2(null, 2) < 0)
            err = errno;
        if (null > 2)
            close(null);
    }
    if (!err) {
        execve(file, argv, env);
        err = errno;
    }
    WriteAll(report, &err, sizeof err);
    _exit(127);
}

// In the middle process: the program's outcome within the watch.
SpawnResult Watch(pid_t program, int execReport, int watchMilliseconds)
{
    int err = 0;
    // The report pipe closes on exec without a word; a failure writes its errno first.
    if (ReadAll(execReport, &err, sizeof err))
        return {SpawnOutcome::NotExeced, err};
    long long deadline = NowMilliseconds() + watchMilliseconds;
    for (;;) {
        int status;
        pid_t ended = waitpid(program, &status, WNOHANG);
        if (ended == program) {
            bool failed = !WIFEXITED(status) || WEXITSTATUS(status) != 0;
            return {failed ? SpawnOutcome::GaveUp : SpawnOutcome::Started, 0};
        }
        if (ended < 0 && errno != EINTR)
            return {SpawnOutcome::Started, 0};
        if (NowMilliseconds() >= deadline)
            return {SpawnOutcome::Started, 0};
        struct timespec pause = {0, 10 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
}

} // namespace

SpawnResult SpawnDetached(const std::string &file, std::vector<std::string> argv,
                          std::vector<std::string> env, const std::string &folder, int watchMilliseconds)
{
    std::vector<char *> argvPointers = Pointers(argv);
    std::vector<char *> envPointers = Pointers(env);
    int outcome[2], execReport[2];
    if (pipe2(outcome, O_CLOEXEC) != 0)
        return {SpawnOutcome::NotExeced, errno};
    if (pipe2(execReport, O_CLOEXEC) != 0) {
        int err = errno;
        close(outcome[0]);
        close(outcome[1]);
        return {SpawnOutcome::NotExeced, err};
    }
    pid_t middle = fork();
    if (middle == 0) {
        setsid();
        close(outcome[0]);
        pid_t program = fork();
        if (program == 0)
            ExecProgram(file.c_str(), argvPointers.data(), envPointers.data(), folder.c_str(), execReport[1]);
        SpawnResult result = {SpawnOutcome::NotExeced, errno};
        close(execReport[1]);
        if (program > 0)
            result = Watch(program, execReport[0], watchMilliseconds);
        WriteAll(outcome[1], &result, sizeof result);
        _exit(0);
    }
    int err = errno;
    close(outcome[1]);
    close(execReport[0]);
    close(execReport[1]);
    SpawnResult result = {SpawnOutcome::NotExeced, err};
    if (middle > 0) {
        int status;
        while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
        }
        if (!ReadAll(outcome[0], &result, sizeof result))
            result = {SpawnOutcome::NotExeced, ECHILD};
    }
    close(outcome[0]);
    return result;
}

int RunToEnd(const std::string &file, std::vector<std::string> argv, std::vector<std::string> env,
             int timeoutMilliseconds, int &exitCode)
{
    std::vector<char *> argvPointers = Pointers(argv);
    std::vector<char *> envPointers = Pointers(env);
    int execReport[2];
    if (pipe2(execReport, O_CLOEXEC) != 0)
        return errno;
    pid_t program = fork();
    if (program == 0)
        ExecProgram(file.c_str(), argvPointers.data(), envPointers.data(), "", execReport[1]);
    int err = errno;
    close(execReport[1]);
    if (program < 0) {
        close(execReport[0]);
        return err;
    }
    // The report pipe closes on exec without a word; a failure writes its errno first.
    bool execFailed = ReadAll(execReport[0], &err, sizeof err);
    close(execReport[0]);
    if (execFailed) {
        while (waitpid(program, nullptr, 0) < 0 && errno == EINTR) {
        }
        return err;
    }
    long long deadline = NowMilliseconds() + timeoutMilliseconds;
    for (;;) {
        int status;
        pid_t ended = waitpid(program, &status, WNOHANG);
        if (ended == program) {
            exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return 0;
        }
        if (ended < 0 && errno != EINTR)
            return errno;
        if (NowMilliseconds() >= deadline) {
            kill(program, SIGKILL);
            while (waitpid(program, nullptr, 0) < 0 && errno == EINTR) {
            }
            return ETIMEDOUT;
        }
        struct timespec pause = {0, 5 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
}
