// The private-profile model's cost property: a log that grows by new keys
// at its end is only ever appended to, however long it gets, and the text it
// would write whole stays the concatenation of what was appended. (What the
// bytes must be is checked against the real functions under Wine.)
#include <gtest/gtest.h>

#include "profile/profiletext.h"

namespace {

CProfileText::Text Utf16(const std::string& ascii)
{
    return CProfileText::Text(ascii.begin(), ascii.end());
}

}  // namespace

TEST(ProfileTextTest, AGrowingLogIsAppendedToAtEveryRecord)
{
    CProfileText text;
    CProfileText::Text file;
    CProfileText::Text output;
    bool canonical = false;
    const char* const sections[] = {"DeleteFile", "DeleteShortCut", "Config"};
    for (const char* section : sections) {
        for (int i = 0; i < 10000; ++i) {
            const auto change = text.Set(Utf16(section), Utf16(std::to_string(i)),
                                         Utf16("C:\\APP\\FILE" + std::to_string(i)), output, canonical);
            ASSERT_EQ(CProfileText::Change::Appended, change) << section << " " << i;
            ASSERT_TRUE(canonical);
            file += output;
        }
    }
    EXPECT_EQ(file, text.Save());
    // Setting a value again changes nothing; a new value rewrites.
    EXPECT_EQ(CProfileText::Change::None,
              text.Set(u"deletefile", u"5", u"C:\\APP\\FILE5", output, canonical));
    EXPECT_EQ(CProfileText::Change::Rewritten,
              text.Set(u"DeleteFile", u"5", u"C:\\NEW", output, canonical));
    EXPECT_EQ(output, text.Save());
}

TEST(ProfileTextTest, BlanksThatReadingDropsMakeTheFileDifferFromItsReading)
{
    CProfileText text;
    text.Load(u"[A]\r\nk=v\r\n");
    CProfileText::Text output;
    bool canonical = true;
    EXPECT_EQ(CProfileText::Change::Appended, text.Set(u"A", u"x ", u"value  ", output, canonical));
    EXPECT_EQ(u"x =value  \r\n", output);   // written as asked...
    EXPECT_FALSE(canonical);
    EXPECT_EQ(u"[A]\r\nk=v\r\nx=value\r\n", text.Save());   // ...read back without the blanks
}
