#include "cp1251.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>

namespace quillop::files {
namespace {

// glibc's own converter, the reference: the character of one byte, or
// nothing where the code page leaves the byte unassigned.
std::optional<char16_t> iconvDecode(unsigned char byte) {
    iconv_t cd = iconv_open("UTF-16LE", "WINDOWS-1251");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = 1, outLeft = sizeof out;
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || outLeft != sizeof out - 2) return std::nullopt;
    return static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                 static_cast<unsigned char>(out[1]) << 8);
}

TEST(Windows1251, EveryByteOfTheCodePageAgreesWithIconv) {
    int assigned = 0;
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const auto character = iconvDecode(static_cast<unsigned char>(byte));
        if (!character) continue;
        ++assigned;
        const auto encoded = toWindows1251(std::u16string(1, *character));
        ASSERT_TRUE(encoded.has_value());
        EXPECT_EQ(*encoded, std::string(1, static_cast<char>(byte)));
    }
    EXPECT_EQ(assigned, 255) << "only 0x98 has no character";
}

TEST(Windows1251, CharactersOutsideTheCodePageAreRefusedNotReplaced) {
    for (const char16_t* text : {u"中", u"ä", u"\u0098", u"\u0462", u"ok\uFFFD", u"\xD83D\xDE00",
                                 u"\xD800", u"12?\u2603"}) {
        EXPECT_FALSE(toWindows1251(text).has_value());
    }
    EXPECT_EQ(toWindows1251(u""), std::string());
    EXPECT_EQ(toWindows1251(u"Ёё №€ ?"), std::string("\xA8\xB8 \xB9\x88 ?"));
}

}  // namespace
}  // namespace quillop::files
