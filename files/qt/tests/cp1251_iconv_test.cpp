#include <gtest/gtest.h>
#include <iconv.h>

#include "cp1251.h"

using namespace quillop;
using namespace quillop::files;

// glibc's own converter is the reference: the characters it decodes from the
// 255 assigned bytes (0x98 has none) encode back to those bytes.
TEST(Windows1251, EveryByteOfTheCodePageAgreesWithIconv) {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte)
        if (byte != 0x98) bytes += static_cast<char>(byte);
    std::u16string text(bytes.size(), u'\0');
    char* in = bytes.data();
    char* out = reinterpret_cast<char*>(text.data());
    std::size_t inLeft = bytes.size(), outLeft = text.size() * 2;
    iconv_t cd = iconv_open("UTF-16LE", "WINDOWS-1251");
    ASSERT_EQ(iconv(cd, &in, &inLeft, &out, &outLeft), 0u);
    iconv_close(cd);
    EXPECT_EQ(toWindows1251(text), bytes);
}
