// File-to-file zlib decompressor that keeps the user interface alive: between 4096-byte
// blocks it empties the thread's message queue, so the long installation on the user-interface
// thread still repaints and answers.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <zlib.h>

// InflateFile's result when m_bAbort was set during the run; next to zlib's own codes.
#define INFLATE_USER_ABORT (-7)

class CFileInflater
{
public:
    CFileInflater();
    // Virtual, since the owner deletes through this class whatever derived class it holds.
    virtual ~CFileInflater();

    // Decompresses the zlib stream in pszSource into pszDest (created or truncated): 0 on
    // success, INFLATE_USER_ABORT when aborted, otherwise zlib's error (Z_ERRNO also when a
    // file cannot be opened or a write fails). The destination keeps what was written.
    int InflateFile(LPCSTR pszSource, LPCSTR pszDest);

    // Share of the input consumed, 0 to 100, truncated.
    int GetPercent();

protected:
    // After every block that left the stream running, and once at the end. Does nothing here.
    virtual void OnProgress(int nPercent);
    // Once per file: "Success", "Zlib Error" or "User Abort". Does nothing here.
    virtual void OnStatus(LPCSTR pszStatus);

    // Pumps messages, then refills the input buffer once zlib has used it up; the bytes
    // zlib has to work on, 0 when the input is exhausted.
    UINT FillInput();
    // Pumps messages, then writes what zlib put in the output buffer; the bytes written,
    // 0 when there was nothing to write or the write fell short (m_nResult is then Z_ERRNO).
    UINT FlushOutput();

    z_stream m_zs;

public:
    // Set by anyone who runs during the message pumping to stop the current file.
    BOOL m_bAbort;

protected:
    FILE* m_pIn;
    FILE* m_pOut;
    LONG m_lInSize;
    LONG m_nResult;
    BYTE m_inBuf[4096];
    BYTE m_outBuf[4096];

private:
    void PumpMessages();
};
