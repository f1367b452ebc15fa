// The memory readers on real files under Wine: the plain reader over a block
// of bytes, and the mapped file with its open-failure question.
#include <windows.h>
#include <gtest/gtest.h>
#include <climits>
#include <cstring>
#include "profile/memfile.h"
#include "question.h"
#include "testutil.h"

using testutil::CTempDir;

namespace {

// A plain reader pointed at a block of the test's own, counting its hooks.
class CBlockReader : public CAsyncMemFile {
public:
    using CAsyncMemFile::Attach;
    void OnOpen() override { ++m_opened; }
    void OnClose() override { ++m_closed; }
    int m_opened = 0;
    int m_closed = 0;
};

// An open reader over `bytes` (which must outlive it).
void OpenOver(CBlockReader& reader, const std::string& bytes)
{
    ASSERT_TRUE(reader.Open("block", 0));
    reader.Attach(bytes.data(), int32_t(bytes.size()));
}

bool CanOpenForWriting(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

}  // namespace

TEST(AsyncMemFile, OpenStartsEmptyAndRefusesASecondOpen)
{
    CBlockReader reader;
    EXPECT_FALSE(reader.IsOpen());
    ASSERT_TRUE(reader.Open("C:\\data\\表.bin", 7));
    EXPECT_TRUE(reader.IsOpen());
    EXPECT_EQ("C:\\data\\表.bin", reader.GetName());
    EXPECT_EQ(0, reader.GetPosition());
    EXPECT_EQ(0, reader.GetLength());
    EXPECT_EQ(0, reader.GetSize());
    EXPECT_EQ(nullptr, reader.GetPointer());
    EXPECT_EQ(1, reader.m_opened);

    EXPECT_FALSE(reader.Open("other", 0));
    EXPECT_EQ("C:\\data\\表.bin", reader.GetName());
    EXPECT_EQ(1, reader.m_opened);
}

TEST(AsyncMemFile, CloseClearsTheReaderAndCallsItsHookOnce)
{
    const std::string bytes = "ABCDEFGH";
    CBlockReader reader;
    OpenOver(reader, bytes);
    reader.Seek(3, 0);
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(0, reader.GetPosition());
    EXPECT_EQ(0, reader.GetLength());
    EXPECT_EQ(0, reader.GetSize());
    EXPECT_EQ(nullptr, reader.GetPointer());
    EXPECT_EQ(1, reader.m_closed);
    reader.Close();                       // already closed: no hook
    EXPECT_EQ(1, reader.m_closed);
    EXPECT_TRUE(reader.Open("again", 0)); // a closed reader opens again
}

TEST(AsyncMemFile, SeekFollowsItsOriginAndMarksPositionsOutsideTheBlockInvalid)
{
    // Block "ABCDEFGH": length 8.
    struct Case { int32_t start; int32_t offset; int origin; int32_t expected; };
    const Case cases[] = {
        {0, 0, 0, 0},         {0, 7, 0, 7},
        {0, 8, 0, -1},        // offset == length from the start
        {0, -1, 0, -1},
        {3, 2, 1, 5},         {3, -3, 1, 0},        {3, -4, 1, -1},      {3, 5, 1, -1},
        {3, 0, 2, 7},         // offset 0 from the end: the last byte
        {3, 7, 2, 0},         {3, 8, 2, -1},        {3, -1, 2, -1},
        {5, 3, 9, 5},         // unknown origin: position unchanged
        {5, INT32_MAX, 1, -1}, {5, INT32_MIN, 2, -1}, {5, INT32_MIN, 0, -1},  // no wrap-around
        {-1, 0, 9, -1},       {-1, 1, 1, 0},
    };
    const std::string bytes = "ABCDEFGH";
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "start " << c.start << " offset " << c.offset
                                        << " origin " << c.origin);
        CBlockReader reader;
        OpenOver(reader, bytes);
        reader.Seek(c.start, 0);
        ASSERT_EQ(c.start, reader.GetPosition());
        EXPECT_EQ(c.expected, reader.Seek(c.offset, c.origin));
        EXPECT_EQ(c.expected, reader.GetPosition());
        if (c.expected >= 0)
            EXPECT_EQ(bytes[std::size_t(c.expected)], *reader.GetPointer());
        else
            EXPECT_EQ(nullptr, reader.GetPointer());
    }
}

TEST(AsyncMemFile, ReadStopsAtTheSizeAndLeavesTheBufferUntouchedPastIt)
{
    const std::string bytes = "ABCDEFGH";
    CBlockReader reader;
    OpenOver(reader, bytes);
    char buffer[16];
    std::memset(buffer, '*', sizeof buffer);

    EXPECT_EQ(3, reader.Read(buffer, 3));
    EXPECT_EQ("ABC*", std::string(buffer, 4));
    EXPECT_EQ(3, reader.GetPosition());
    EXPECT_EQ(5, reader.Read(buffer, 10));   // only 5 left
    EXPECT_EQ("DEFGH*", std::string(buffer, 6));
    EXPECT_EQ(8, reader.GetPosition());

    std::memset(buffer, '*', sizeof buffer);
    EXPECT_EQ(0, reader.Read(buffer, 4));    // at the end
    EXPECT_EQ(0, reader.Read(buffer, -4));
    reader.Seek(-1, 0);
    EXPECT_EQ(0, reader.Read(buffer, 4));    // invalid position
    reader.Close();
    EXPECT_EQ(0, reader.Read(buffer, 4));    // closed
    EXPECT_EQ(std::string(16, '*'), std::string(buffer, 16));
}

TEST(AsyncMemFile, FixedSizeReadsAreLittleEndianAndNeedAllTheirBytes)
{
    const std::string bytes("\x01\x02\x03\x04\x05\x06\x07", 7);
    CBlockReader reader;
    OpenOver(reader, bytes);
    uint32_t dword = 0xDEADBEEF;
    uint16_t word = 0xBEEF;
    uint8_t byte = 0xEE;

    EXPECT_EQ(4, reader.ReadDword(dword));
    EXPECT_EQ(0x04030201u, dword);
    EXPECT_EQ(2, reader.ReadWord(word));
    EXPECT_EQ(0x0605, word);
    dword = 0xDEADBEEF;
    EXPECT_EQ(0, reader.ReadDword(dword));   // one byte left
    EXPECT_EQ(0xDEADBEEFu, dword);
    word = 0xBEEF;
    EXPECT_EQ(0, reader.ReadWord(word));
    EXPECT_EQ(0xBEEF, word);
    EXPECT_EQ(6, reader.GetPosition());
    EXPECT_EQ(1, reader.ReadByte(byte));
    EXPECT_EQ(0x07, byte);
    byte = 0xEE;
    EXPECT_EQ(0, reader.ReadByte(byte));
    EXPECT_EQ(0xEE, byte);

    reader.Seek(-1, 0);
    EXPECT_EQ(0, reader.ReadByte(byte));
    EXPECT_EQ(0xEE, byte);
    reader.Close();
    EXPECT_EQ(0, reader.ReadDword(dword));
    EXPECT_EQ(0xDEADBEEFu, dword);
}

TEST(AsyncMemFile, ReadLineSplitsAtNulLfAndCr)
{
    // LF CR is one terminator; CR LF is two (the LF ends an empty line).
    const std::string bytes("one\r\ntwo\n\rthree\rfour\0five", 25);
    CBlockReader reader;
    OpenOver(reader, bytes);
    const char* expected[] = {"one", "", "two", "three", "four", "five"};
    std::string line;
    for (const char* e : expected) {
        SCOPED_TRACE(e);
        EXPECT_EQ(int(std::strlen(e)), reader.ReadLine(line));
        EXPECT_EQ(e, line);
    }
    EXPECT_EQ(25, reader.GetPosition());
    line = "stale";
    EXPECT_EQ(0, reader.ReadLine(line));
    EXPECT_EQ("", line);

    line = "stale";
    reader.Seek(-1, 0);
    EXPECT_EQ(0, reader.ReadLine(line));
    EXPECT_EQ("", line);
    line = "stale";
    reader.Close();
    EXPECT_EQ(0, reader.ReadLine(line));
    EXPECT_EQ("", line);
}

TEST(AsyncMemFile, DuplicateOfAPlainReaderKeepsNameModeAndPosition)
{
    const std::string bytes = "ABCDEFGH";
    CBlockReader reader;
    ASSERT_TRUE(reader.Open("C:\\x\\a.bin", 5));
    reader.Attach(bytes.data(), int32_t(bytes.size()));
    reader.Seek(2, 0);

    const std::unique_ptr<CAsyncMemFile> copy = reader.Duplicate();
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy->IsOpen());
    EXPECT_EQ("C:\\x\\a.bin", copy->GetName());
    EXPECT_EQ(2, copy->GetPosition());
    uint8_t b = 0;
    EXPECT_EQ(1, copy->ReadByte(b));
    EXPECT_EQ('C', b);
    EXPECT_EQ(2, reader.GetPosition());   // each reader has its own position
}

// ---- CMemMapFile on real files ----

class MemMapFileTest : public testing::Test {
protected:
    CTempDir m_dir{"-表示"};
    CScriptedQuestion m_question;
};

TEST_F(MemMapFileTest, MapsTheWholeFileReadOnlyAndSharesOnlyReading)
{
    const std::string path = m_dir.File("データ.INF");
    const std::string bytes = "[Config]\r\nName=表示\r\n";
    testutil::WriteBytes(path, bytes);

    CMemMapFile file;
    ASSERT_TRUE(file.Open(path, 0));
    EXPECT_EQ(int32_t(bytes.size()), file.GetLength());
    EXPECT_EQ(int32_t(bytes.size()), file.GetSize());
    EXPECT_EQ(0, file.GetPosition());
    ASSERT_NE(nullptr, file.GetPointer());
    EXPECT_EQ(bytes, std::string(file.GetPointer(), bytes.size()));
    EXPECT_FALSE(CanOpenForWriting(path));     // FILE_SHARE_READ only
    EXPECT_EQ(bytes, testutil::ReadBytes(path));
    EXPECT_TRUE(m_question.Asked().empty());

    EXPECT_FALSE(file.Open(path, 0));          // already open

    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(0, file.GetLength());
    EXPECT_TRUE(DeleteFileA(path.c_str())) << "the file is still held open";
}

TEST_F(MemMapFileTest, DestroyingTheReaderReleasesTheFile)
{
    const std::string path = m_dir.File("a.ini");
    testutil::WriteBytes(path, "[a]\r\n");
    {
        std::unique_ptr<CMemMapFile> file = OpenMemMapFile(path);
        ASSERT_TRUE(file->IsOpen());
        EXPECT_EQ(5, file->GetLength());
        EXPECT_FALSE(CanOpenForWriting(path));
    }
    EXPECT_TRUE(CanOpenForWriting(path));
}

TEST_F(MemMapFileTest, AnEmptyFileOpensTheReaderButMapsNothing)
{
    const std::string path = m_dir.File("empty.ini");
    testutil::WriteBytes(path, "");
    CMemMapFile file;
    EXPECT_FALSE(file.Open(path, 0));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(0, file.GetLength());
    EXPECT_EQ(0, file.GetSize());
    EXPECT_EQ(nullptr, file.GetPointer());
    std::string line = "stale";
    EXPECT_EQ(0, file.ReadLine(line));
    EXPECT_EQ("", line);
    EXPECT_TRUE(m_question.Asked().empty());
    // The file handle is kept until Close.
    EXPECT_FALSE(CanOpenForWriting(path));
    file.Close();
    EXPECT_TRUE(CanOpenForWriting(path));
}

TEST_F(MemMapFileTest, AMissingFileAsksUntilTheAnswerIsNotRetry)
{
    const std::string path = m_dir.File("無い.INF");
    m_question.Answer({IDRETRY, IDRETRY, IDIGNORE});
    std::unique_ptr<CMemMapFile> file = OpenMemMapFile(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(std::vector<std::string>(3, path), m_question.Asked());
    EXPECT_TRUE(file->IsOpen());   // the reader's own open step succeeded
    EXPECT_EQ(0, file->GetLength());
    EXPECT_EQ(path, file->GetName());
}

TEST_F(MemMapFileTest, RetryOpensAFileThatHasAppearedMeanwhile)
{
    const std::string path = m_dir.File("later.ini");
    m_question.Answer({IDRETRY});
    m_question.OnAsk([&] { testutil::WriteBytes(path, "[later]\r\n"); });
    CMemMapFile file;
    EXPECT_TRUE(file.Open(path, 0));
    EXPECT_EQ(1u, m_question.Asked().size());
    EXPECT_EQ(9, file.GetLength());
}

TEST_F(MemMapFileTest, DuplicateMapsTheSameFileAgainFromItsStart)
{
    const std::string path = m_dir.File("dup.ini");
    testutil::WriteBytes(path, "0123456789");
    CMemMapFile file;
    ASSERT_TRUE(file.Open(path, 0));
    file.Seek(4, 0);
    const std::unique_ptr<CAsyncMemFile> copy = file.Duplicate();
    ASSERT_NE(nullptr, dynamic_cast<CMemMapFile*>(copy.get()));
    EXPECT_EQ(path, copy->GetName());
    EXPECT_EQ(10, copy->GetLength());
    EXPECT_EQ(0, copy->GetPosition());
    EXPECT_NE(file.GetPointer() - 4, copy->GetPointer());   // a view of its own
    EXPECT_EQ("0123456789", std::string(copy->GetPointer(), 10));
}

TEST_F(MemMapFileTest, AbortEndsTheProgramWithExitCode1)
{
    const std::string path = m_dir.File("abort.ini");
    EXPECT_EXIT(
        {
            m_question.Answer({IDABORT});
            OpenMemMapFile(path);
            std::exit(0);
        },
        testing::ExitedWithCode(1), "");
}
