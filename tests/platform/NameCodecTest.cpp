#include "platform/NameCodec.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(NameCodec, EveryByteSequenceRoundTrips)
{
    const std::string samples[] = {
        "plain.txt",
        "\xc3\xa9t\xc3\xa9",           // été
        "\xf0\x9f\x98\x80 smile",      // outside the BMP
        "bad\xff\xfe",                 // never valid
        "\xc0\xaf overlong slash",     // overlong form
        "\xed\xa0\x80 surrogate",      // UTF-16 surrogate written as UTF-8
        "\xe2\x82",                    // cut short at the end
        "\xf4\x90\x80\x80 too high",   // past U+10FFFF
        std::string("\x80\x80\x80", 3),
    };
    for (const std::string &bytes : samples)
        EXPECT_EQ(EncodeFileName(DecodeFileName(bytes)), bytes) << bytes;
}

TEST(NameCodec, ValidTextDecodesAsTextAndInvalidBytesAsLoneSurrogates)
{
    EXPECT_EQ(DecodeFileName(std::string("\xc3\xa9t\xc3\xa9")), QString::fromUtf8("été"));
    const QString bad = DecodeFileName(std::string("a\xff"));
    ASSERT_EQ(bad.size(), 2);
    EXPECT_EQ(bad.at(1).unicode(), 0xDCFF);
    EXPECT_EQ(ReplaceEscapedBytes(bad), QString::fromUtf8("a\xef\xbf\xbd"));
    // A truncated sequence escapes each of its bytes, not just the first.
    EXPECT_EQ(DecodeFileName(std::string("\xe2\x82x")).size(), 3);
}

TEST(NameCodec, ACharacterWhoseLowHalfLooksLikeAnEscapeIsShownWhole)
{
    // U+1F4A9 is D83D DCA9 in UTF-16, and DCA9 is also the escape of byte A9.
    const QString name = DecodeFileName(std::string("\xf0\x9f\x92\xa9\xa9.txt"));
    EXPECT_EQ(ReplaceEscapedBytes(name), QString::fromUtf8("\xf0\x9f\x92\xa9\xef\xbf\xbd.txt"));
    EXPECT_TRUE(ReplaceEscapedBytes(name).isValidUtf16());
}
