// The decompressor on real zlib streams made here, through the run-time library's files on
// Windows paths, with the message pump in between blocks.
#include "FileInflater.h"

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <winapi_linux.h>

#include <winapi_linux.h>
#include "test_prefix.h"

namespace {

const char SOURCE[] = "C:\\payload.z";
const char DEST[] = "C:\\out.bin";

// Records what the decompressor reports, and sets the figures GetPercent works on.
class RecordingInflater : public CFileInflater
{
public:
    std::vector<int> m_progress;
    std::vector<std::string> m_statuses;

    int PercentOf(LONG lInSize, uLong totalIn)
    {
        m_lInSize = lInSize;
        m_zs.total_in = totalIn;
        return GetPercent();
    }

protected:
    void OnProgress(int nPercent) override { m_progress.push_back(nPercent); }
    void OnStatus(LPCSTR pszStatus) override { m_statuses.push_back(pszStatus); }
};

// Text that compresses well, then bytes that do not: deflate's literal and match paths both.
std::string MixedData(size_t size)
{
    std::string data;
    data.reserve(size);
    unsigned seed = 12345;
    while (data.size() < size) {
        seed = seed * 1103515245 + 12345;
        if ((seed >> 16) % 2 == 0)
            data += "The quick brown fox deals the cards again. ";
        else
            for (int i = 0; i < 40; ++i) {
                seed = seed * 1103515245 + 12345;
                data += (char)(seed >> 24);
            }
    }
    data.resize(size);
    return data;
}

std::string Compress(const std::string &data, int level = Z_DEFAULT_COMPRESSION)
{
    uLongf size = compressBound(data.size());
    std::string packed(size, '\0');
    EXPECT_EQ(compress2((Bytef *)&packed[0], &size, (const Bytef *)data.data(), data.size(), level), Z_OK);
    packed.resize(size);
    return packed;
}

class FileInflaterTest : public TestPrefix
{
protected:
    void WriteSource(const std::string &bytes) { WriteHostFile("payload.z", bytes); }
    std::string Dest() { return ReadHostFile("out.bin"); }

    RecordingInflater m_inflater;
};

TEST_F(FileInflaterTest, ValidStreamsDecompressWhole)
{
    // One byte, one block exactly, many blocks of mixed data, and a stream whose compressed
    // length is a whole number of input blocks.
    std::string stored = MixedData(8192 - 11);
    ASSERT_EQ(Compress(stored, 0).size(), 8192u);
    struct Case {
        std::string data;
        int level;
    } cases[] = {
        {"x", Z_DEFAULT_COMPRESSION},
        {MixedData(4096), Z_DEFAULT_COMPRESSION},
        {MixedData(300000), Z_DEFAULT_COMPRESSION},
        {stored, 0},
    };
    for (const Case &c : cases) {
        RecordingInflater inflater;
        WriteSource(Compress(c.data, c.level));
        EXPECT_EQ(inflater.InflateFile(SOURCE, DEST), 0) << c.data.size();
        EXPECT_TRUE(Dest() == c.data) << c.data.size();
        EXPECT_EQ(inflater.m_statuses, std::vector<std::string>{"Success"}) << c.data.size();
        ASSERT_FALSE(inflater.m_progress.empty());
        EXPECT_EQ(inflater.m_progress.back(), 100) << c.data.size();
    }
}

TEST_F(FileInflaterTest, ProgressAfterEveryUnfinishedStepAndOnceAtTheEnd)
{
    // Ten full output blocks from one input block: nine steps leave the stream running, the
    // tenth ends it.
    WriteSource(Compress(std::string(10 * 4096, '\0')));
    EXPECT_EQ(m_inflater.InflateFile(SOURCE, DEST), 0);
    ASSERT_EQ(m_inflater.m_progress.size(), 10u);
    EXPECT_EQ(m_inflater.m_progress.back(), 100);

    // A stream that ends in its first step reports only the end.
    m_inflater.m_progress.clear();
    WriteSource(Compress("short"));
    EXPECT_EQ(m_inflater.InflateFile(SOURCE, DEST), 0);
    EXPECT_EQ(m_inflater.m_progress, std::vector<int>{100});
}

TEST_F(FileInflaterTest, DamagedInputsGiveZlibErrors)
{
    std::string data = MixedData(50000);
    std::string stream = Compress(data);
    std::string corrupt = stream;
    for (size_t i = stream.size() * 2 / 3; i < stream.size() * 2 / 3 + 100; ++i)
        corrupt[i] = (char)~corrupt[i];
    struct Case {
        const char *what;
        std::string input;
        int result;
        size_t written;  // what was decoded before the failure stays
    } cases[] = {
        {"empty", "", Z_BUF_ERROR, 0},
        {"cut short", stream.substr(0, stream.size() / 2), Z_BUF_ERROR, 4096},
        {"trailer missing", stream.substr(0, stream.size() - 4), Z_BUF_ERROR, data.size()},
        {"not zlib", "plain text, no stream header", Z_DATA_ERROR, 0},
        {"corrupt inside", corrupt, Z_DATA_ERROR, 4096},
    };
    for (const Case &c : cases) {
        RecordingInflater inflater;
        WriteSource(c.input);
        EXPECT_EQ(inflater.InflateFile(SOURCE, DEST), c.result) << c.what;
        EXPECT_EQ(inflater.m_statuses, std::vector<std::string>{"Zlib Error"}) << c.what;
        std::string written = Dest();
        EXPECT_GE(written.size(), c.written) << c.what;
        EXPECT_TRUE(written.compare(0, c.written, data, 0, c.written) == 0) << c.what;
    }
    // The empty input: consumed in full by definition, and nothing written.
    RecordingInflater inflater;
    WriteSource("");
    EXPECT_EQ(inflater.InflateFile(SOURCE, DEST), Z_BUF_ERROR);
    EXPECT_EQ(inflater.m_progress, std::vector<int>{100});
    EXPECT_TRUE(HostFileExists("out.bin"));
    EXPECT_EQ(Dest(), "");
}

TEST_F(FileInflaterTest, DataAfterTheStreamIsIgnored)
{
    std::string data = MixedData(20000);
    WriteSource(Compress(data) + std::string(10000, 'G'));
    EXPECT_EQ(m_inflater.InflateFile(SOURCE, DEST), 0);
    EXPECT_TRUE(Dest() == data);
    EXPECT_EQ(m_inflater.m_statuses, std::vector<std::string>{"Success"});
}

TEST_F(FileInflaterTest, OneObjectServesManyFilesIndependently)
{
    std::string first = MixedData(70000), second = MixedData(123);
    WriteSource(Compress(first));
    EXPECT_EQ(m_inflater.InflateFile(SOURCE, DEST), 0);
    WriteSource("broken");
    EXPECT_EQ(m_inflater.InflateFile(SOURCE, DEST), Z_DATA_ERROR);
    WriteSource(Compress(second));
    m_inflater.m_progress.clear();
    EXPECT_EQ(m_inflater.InflateFile(SOURCE, DEST), 0);
    EXPECT_EQ(Dest(), second);
    // total_in started again from 0: the small file is not measured against the large one.
    EXPECT_EQ(m_inflater.m_progress, std::vector<int>{100});
    EXPECT_EQ(m_inflater.m_statuses, (std::vector<std::string>{"Success", "Zlib Error", "Success"}));
}

TEST_F(FileInflaterTest, FilesThatCannotBeOpenedFailWithoutTouchingTheOther)
{
    WriteHostFile("out.bin", "kept");
    EXPECT_EQ(m_inflater.InflateFile("C:\\missing.z", DEST), Z_ERRNO);
    EXPECT_EQ(Dest(), "kept");

    WriteSource(Compress("data"));
    EXPECT_EQ(m_inflater.InflateFile(SOURCE, "C:\\no folder\\out.bin"), Z_ERRNO);
    EXPECT_EQ(m_inflater.m_statuses, (std::vector<std::string>{"Zlib Error", "Zlib Error"}));

    // Nothing stays open: the object goes on with the next file.
    EXPECT_EQ(m_inflater.InflateFile(SOURCE, DEST), 0);
    EXPECT_EQ(Dest(), "data");
}

TEST_F(FileInflaterTest, PercentMultipliesUpToTenMillionAndDividesFirstAbove)
{
    struct Case {
        LONG lInSize;
        uLong totalIn;
        int percent;
    } cases[] = {
        {0, 0, 100},
        {1, 1, 100},
        {3, 2, 66},                        // truncated, not rounded
        {10000000, 9999999, 99},
        {10000000, 10000000, 100},
        {10000001, 10000001, 100},
        {10000001, 5000000, 50},           // multiplying first would give 49
        {2147483647, 2147483647, 100},     // no overflow at the largest length
        {2147483647, 1073741823, 50},
    };
    for (const Case &c : cases)
        EXPECT_EQ(m_inflater.PercentOf(c.lInSize, c.totalIn), c.percent)
            << c.lInSize << " " << c.totalIn;
}

TEST_F(FileInflaterTest, ShortWritesFailUnlessTheRetryFinishesAnEndedStream)
{
    // One output block holding the stream's end, then data that needs many blocks. A failing
    // write may have written part of its block first; the file never holds a byte twice.
    std::string oneBlock = MixedData(4096), eightBytes = "C:\\Tunes", manyBlocks = MixedData(100000);
    struct Case {
        const std::string *data;
        UINT failures;
        UINT cbWritten;
        int result;
        const char *status;
    } cases[] = {
        {&oneBlock, 1, 0, 0, "Success"},
        {&oneBlock, 1, 1000, 0, "Success"},
        {&eightBytes, 1, 4, 0, "Success"},
        {&oneBlock, 2, 0, Z_ERRNO, "Zlib Error"},
        {&oneBlock, 2, 1000, Z_ERRNO, "Zlib Error"},
        {&manyBlocks, 1, 0, Z_BUF_ERROR, "Zlib Error"},
        {&manyBlocks, 1, 3000, Z_BUF_ERROR, "Zlib Error"},
        {&manyBlocks, 2, 3000, Z_ERRNO, "Zlib Error"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.data->size() << " bytes, " << c.failures << " failures writing "
                                        << c.cbWritten);
        RecordingInflater inflater;
        WriteSource(Compress(*c.data));
        WinapiFailStreamWrites(c.failures, c.cbWritten);
        EXPECT_EQ(inflater.InflateFile(SOURCE, DEST), c.result);
        EXPECT_EQ(inflater.m_statuses, std::vector<std::string>{c.status});
        WinapiFailStreamWrites(0, 0);
        std::string written = Dest();
        // Compared as a whole, so that a failure prints sizes rather than 100 KB of bytes.
        if (c.result == 0)
            EXPECT_TRUE(written == *c.data) << written.size() << " bytes written";
        else
            EXPECT_TRUE(written == c.data->substr(0, written.size())) << written.size() << " bytes are no beginning";
    }
}

// A window whose procedure stops the decompressor: the handler of a posted message.
CFileInflater *g_pAbortTarget;
const UINT WM_ABORT = WM_APP + 7;

LRESULT CALLBACK AbortWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ABORT) {
        g_pAbortTarget->m_bAbort = TRUE;
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

TEST_F(FileInflaterTest, AbortDuringTheFirstPumpStopsAfterThatStep)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = AbortWndProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "InflaterAbort";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowExA(0, "InflaterAbort", "", 0, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
    ASSERT_NE(hWnd, (HWND)NULL);
    g_pAbortTarget = &m_inflater;

    // The first block completes the stream, and the run still counts as aborted.
    std::string small = MixedData(1000);
    WriteSource(Compress(small));
    PostMessageA(hWnd, WM_ABORT, 0, 0);
    EXPECT_EQ(m_inflater.InflateFile(SOURCE, DEST), INFLATE_USER_ABORT);
    EXPECT_TRUE(Dest() == small);
    EXPECT_EQ(m_inflater.m_statuses, std::vector<std::string>{"User Abort"});
    EXPECT_EQ(m_inflater.m_progress.size(), 1u);

    // A longer stream: its first output block is written, nothing after it.
    std::string large = std::string(100000, 'a');
    WriteSource(Compress(large));
    m_inflater.m_progress.clear();
    PostMessageA(hWnd, WM_ABORT, 0, 0);
    EXPECT_EQ(m_inflater.InflateFile(SOURCE, DEST), INFLATE_USER_ABORT);
    EXPECT_EQ(Dest(), std::string(4096, 'a'));
    EXPECT_EQ(m_inflater.m_progress.size(), 2u);

    // The flag is cleared by the next run.
    EXPECT_EQ(m_inflater.InflateFile(SOURCE, DEST), 0);
    DestroyWindow(hWnd);
}

} // namespace
