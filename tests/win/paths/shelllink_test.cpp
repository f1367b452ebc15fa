// CreateShellLink against the shell's own link objects: every link made is
// read back through IShellLinkA.
#include "paths/fileutil.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

#include "platform/handles.h"
#include "tests/win/paths/test_files.h"

using namespace testfiles;

namespace {

class ShellLinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        m_dir = FreshTestDir();
        m_target = m_dir + "\\target.exe";
        MakeFile(m_target);
    }
    void TearDown() override { ::CoUninitialize(); }

    std::string m_dir;
    std::string m_target;
};

struct LinkContents {
    std::string path;
    std::string description;
};

// Loads a link file and returns its target and description.
::testing::AssertionResult ReadLink(const std::string& linkPath, LinkContents& out)
{
    CComPtr<IShellLinkA> link;
    HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    link.ReceiveVoid());
    if (FAILED(hr))
        return testing::AssertionFailure() << "CoCreateInstance " << std::hex << hr;
    CComPtr<IPersistFile> file;
    hr = link->QueryInterface(IID_IPersistFile, file.ReceiveVoid());
    if (FAILED(hr))
        return testing::AssertionFailure() << "QueryInterface " << std::hex << hr;
    hr = file->Load(Wide(linkPath).c_str(), STGM_READ);
    if (FAILED(hr))
        return testing::AssertionFailure() << "Load " << std::hex << hr;
    char buf[1024] = {};
    link->GetPath(buf, sizeof(buf), nullptr, 0);
    out.path = buf;
    buf[0] = '\0';
    link->GetDescription(buf, sizeof(buf));
    out.description = buf;
    return testing::AssertionSuccess();
}

} // namespace

TEST_F(ShellLinkTest, CreatesALinkWithTargetAndDescription)
{
    // More than 259 bytes but fewer than 260 characters.
    const std::string wideDir = DeepPath(m_dir + "\\wide", 300, "表ソ能表ソ能表ソ能表");
    MakeDirs(wideDir);

    struct Row {
        std::string link;
        std::string description;
    };
    const Row rows[] = {
        {m_dir + "\\plain.lnk", "Plain"},
        {m_dir + "\\メモ帳.lnk", "説明テキスト"},
        {m_dir + "\\表示 ソフト.lnk", "表示 ソフト"},   // 0x5C second bytes in name and text
        {m_dir + "\\nodesc.lnk", ""},
        {wideDir + "\\能.lnk", "long"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.link);
        EXPECT_TRUE(CreateShellLink(row.link, row.description, m_target));
        LinkContents read;
        ASSERT_TRUE(ReadLink(row.link, read));
        EXPECT_EQ(m_target, read.path);
        EXPECT_EQ(row.description, read.description);
    }
}

// The directory must exist: none is created, and no link file appears. The
// result still says only that the link objects could be made.
TEST_F(ShellLinkTest, WritesNothingIntoAMissingDirectory)
{
    const std::string link = m_dir + "\\missing\\x.lnk";
    EXPECT_TRUE(CreateShellLink(link, "XXX", m_target));
    EXPECT_FALSE(Exists(m_dir + "\\missing"));
}

// The link file name is converted whole, whatever its length: no buffer
// overrun and no file under a name cut short. Where the platform takes the
// long name, as Wine and Windows NT do, the link is made there.
TEST_F(ShellLinkTest, LongLinkPathIsNeitherOverrunNorCut)
{
    const std::string dir = DeepPath(m_dir + "\\long", 300, std::string(40, 'd'));
    MakeDirs(dir);
    const std::string name = std::string(60, 'n') + ".lnk";
    const std::string link = dir + "\\" + name;
    ASSERT_GT(link.size(), 300u);

    EXPECT_TRUE(CreateShellLink(link, "long", m_target));

    EXPECT_EQ(std::vector<std::string>{name}, ListTree(dir));
    LinkContents read;
    ASSERT_TRUE(ReadLink(link, read));
    EXPECT_EQ(m_target, read.path);
    EXPECT_EQ("long", read.description);
}

// The component library must be initialised on the calling thread.
TEST_F(ShellLinkTest, FailsOnAThreadWithoutTheComponentLibrary)
{
    bool result = true;
    std::thread worker([&] { result = CreateShellLink(m_dir + "\\t.lnk", "XXX", m_target); });
    worker.join();
    EXPECT_FALSE(result);
    EXPECT_FALSE(Exists(m_dir + "\\t.lnk"));
}
