#include "FileInflater.h"

#include <io.h>
#include <string.h>

static const UINT BLOCK_SIZE = 4096;

// Up to this input length the percentage is (consumed * 100) / length in 32 bits; above it
// the length is divided first, so that the product cannot overflow.
static const LONG MULTIPLY_FIRST_LIMIT = 10000000;

CFileInflater::CFileInflater()
{
    m_zs.zalloc = Z_NULL;
    m_zs.zfree = Z_NULL;
    m_zs.opaque = Z_NULL;
    m_bAbort = FALSE;
    m_pIn = NULL;
    m_pOut = NULL;
    m_lInSize = 0;
    m_nResult = Z_OK;
}

CFileInflater::~CFileInflater()
{
}

int CFileInflater::InflateFile(LPCSTR pszSource, LPCSTR pszDest)
{
    m_nResult = Z_OK;
    m_zs.avail_in = 0;
    m_zs.next_out = m_outBuf;
    m_zs.avail_out = BLOCK_SIZE;
    m_bAbort = FALSE;

    // A file that cannot be opened is a failed file like any other: the caller reports it.
    m_pIn = fopen(pszSource, "rb");
    if (m_pIn != NULL)
        m_pOut = fopen(pszDest, "wb");
    if (m_pIn == NULL || m_pOut == NULL)
    {
        m_nResult = Z_ERRNO;
        OnStatus("Zlib Error");
        if (m_pIn != NULL)
        {
            fclose(m_pIn);
            m_pIn = NULL;
        }
        return m_nResult;
    }
    m_lInSize = _filelength(_fileno(m_pIn));

    // A failure here shows as Z_STREAM_ERROR from the first inflate.
    inflateInit(&m_zs);

    while (!m_bAbort)
    {
        if (FillInput() == 0)
            break;
        m_nResult = inflate(&m_zs, Z_NO_FLUSH);
        // A failed write has set m_nResult to Z_ERRNO already.
        FlushOutput();
        // Z_STREAM_END ends the loop here for every complete stream.
        if (m_nResult != Z_OK)
            break;
        OnProgress(GetPercent());
    }

    // Runs at most once: Z_FINISH never answers Z_OK. It finds a finished stream finished
    // again, reports a stream cut short with Z_BUF_ERROR, and writes once more what a failed
    // write left in the output buffer.
    while (!m_bAbort)
    {
        m_nResult = inflate(&m_zs, Z_FINISH);
        if (FlushOutput() == 0)
            break;
        if (m_nResult != Z_OK)
            break;
    }

    OnProgress(GetPercent());
    inflateEnd(&m_zs);

    if (m_bAbort)
        OnStatus("User Abort");
    else if (m_nResult != Z_OK && m_nResult != Z_STREAM_END)
        OnStatus("Zlib Error");
    else
    {
        OnStatus("Success");
        m_nResult = Z_OK;
    }

    fclose(m_pIn);
    m_pIn = NULL;
    fclose(m_pOut);
    m_pOut = NULL;

    return m_bAbort ? INFLATE_USER_ABORT : m_nResult;
}

int CFileInflater::GetPercent()
{
    DWORD dwConsumed = (DWORD)m_zs.total_in;
    if (m_lInSize == 0)
        return 100;
    if (m_lInSize <= MULTIPLY_FIRST_LIMIT)
        return (int)((dwConsumed * 100) / (DWORD)m_lInSize);
    return (int)(dwConsumed / (DWORD)(m_lInSize / 100));
}

void CFileInflater::OnProgress(int /*nPercent*/)
{
}

void CFileInflater::OnStatus(LPCSTR /*pszStatus*/)
{
}

void CFileInflater::PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

UINT CFileInflater::FillInput()
{
    PumpMessages();
    if (m_zs.avail_in == 0)
    {
        m_zs.next_in = m_inBuf;
        m_zs.avail_in = (uInt)fread(m_inBuf, 1, BLOCK_SIZE, m_pIn);
    }
    return m_zs.avail_in;
}

UINT CFileInflater::FlushOutput()
{
    PumpMessages();
    UINT nPending = BLOCK_SIZE - m_zs.avail_out;
    if (nPending == 0)
        return 0;
    UINT nWritten = (UINT)fwrite(m_outBuf, 1, nPending, m_pOut);
    if (nWritten < nPending)
    {
        // Only the bytes not written stay pending, for the finishing step to write once more:
        // writing all of them again would repeat those already in the file.
        memmove(m_outBuf, m_outBuf + nWritten, nPending - nWritten);
        m_zs.next_out = m_outBuf + (nPending - nWritten);
        m_zs.avail_out = BLOCK_SIZE - (nPending - nWritten);
        m_nResult = Z_ERRNO;
        return 0;
    }
    m_zs.next_out = m_outBuf;
    m_zs.avail_out = BLOCK_SIZE;
    return nPending;
}
