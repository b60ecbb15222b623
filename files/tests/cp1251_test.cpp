#include "cp1251.h"

#include <gtest/gtest.h>

using namespace quillop;
using namespace quillop::files;

// Every character of the code page is checked against the system's own
// converter where there is one (files/qt/tests); these have no byte there.
TEST(Windows1251, CharactersOutsideTheCodePageAreRefusedNotReplaced) {
    for (const char16_t* text : {u"中", u"ä", u"\u0098", u"\u0462", u"ok\uFFFD", u"\xD83D\xDE00",
                                 u"\xD800", u"12?\u2603"}) {
        EXPECT_FALSE(toWindows1251(text).has_value());
    }
    EXPECT_EQ(toWindows1251(u"Ёё №€ ?"), std::string("\xA8\xB8 \xB9\x88 ?"));
}
