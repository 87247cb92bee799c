// What the step runner needs from the host that runs the setup program: in-process on Linux,
// a child process on Windows.
#pragma once

#include <windows.h>

#include <string>

class SetupProcess {
public:
    // TRUE for a top-level window that belongs to the setup program.
    virtual bool OwnsWindow(HWND hwnd) = 0;
    // The setup program has ended; no window may be touched any more.
    virtual bool HasEnded() = 0;
    // The program file's name without extension: the caption of its message boxes.
    virtual std::string ApplicationName() = 0;

protected:
    ~SetupProcess() = default;
};

// "C:\dir\fvpsetup.exe" or "/dir/fvpsetup" -> "fvpsetup".
std::string ApplicationNameFromPath(const std::string& path);
