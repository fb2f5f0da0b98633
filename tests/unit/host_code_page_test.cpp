// The scripted user's texts in the host's code page, as both builds read them from the command
// line.
#include <gtest/gtest.h>

#include "core/host_code_page.h"

namespace {

using standin::windows1252FromUtf8;

TEST(HostCodePage, KeepsAsciiAndMapsTheCodePagesOwnCharacters) {
    EXPECT_EQ(windows1252FromUtf8("type 115 -12.5; pick 120 On Odd Pages"),
              "type 115 -12.5; pick 120 On Odd Pages");
    EXPECT_EQ(windows1252FromUtf8("\xC3\xA9\xC3\xBF\xC2\xA0"), "\xE9\xFF\xA0"); // é ÿ nbsp
    EXPECT_EQ(windows1252FromUtf8("\xE2\x82\xAC\xC5\xB8\xE2\x80\x9A"), "\x80\x9F\x82"); // € Ÿ ‚
    EXPECT_EQ(windows1252FromUtf8(""), "");
}

TEST(HostCodePage, RefusesWhatTheCodePageLacksOrWhatIsNotUtf8) {
    std::string problem;
    EXPECT_FALSE(windows1252FromUtf8("\xC5\x82", &problem)); // ł
    EXPECT_EQ(problem, "the character U+0142 is not in the host's code page (Windows-1252)");
    EXPECT_FALSE(windows1252FromUtf8("\xC2\x81")); // a C1 control the code page leaves empty
    EXPECT_FALSE(windows1252FromUtf8("\xF0\x9F\x8E\xB5")); // beyond the basic plane
    for (const char *broken :
         {"\xE9", "a\xC3", "\xC0\xA9", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3\x28"}) {
        EXPECT_FALSE(windows1252FromUtf8(broken, &problem)) << broken;
        EXPECT_EQ(problem, "the text is not UTF-8") << broken;
    }
}

} // namespace
