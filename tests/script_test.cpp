#include <gtest/gtest.h>

#include <sstream>

#include "replay/script.h"
#include "replay/utf8.h"

namespace {

key_script parse_ok(const std::string& text) {
    std::istringstream in(text);
    key_script script;
    std::string error;
    EXPECT_TRUE(parse_script(in, script, error)) << error;
    return script;
}

std::string parse_error(const std::string& text) {
    std::istringstream in(text);
    key_script script;
    std::string error;
    EXPECT_FALSE(parse_script(in, script, error)) << text;
    return error;
}

}  // namespace

TEST(Script, LinesTokensAndRepeats) {
    const key_script s = parse_ok("left UP 27 0x28 # down\n\nq *3\nclose ffffffff *10000000\r\n1b");
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].keys, (std::vector<int32_t>{0x25, 0x26, 0x27, 0x28}));
    EXPECT_TRUE(s[1].keys.empty());
    EXPECT_EQ(s[2].keys, (std::vector<int32_t>{0x51}));
    EXPECT_EQ(s[2].repeat, 3);
    EXPECT_TRUE(s[3].close);
    EXPECT_EQ(s[3].keys, (std::vector<int32_t>{-1}));
    EXPECT_EQ(s[3].repeat, 10000000);
    EXPECT_EQ(s[4].keys, (std::vector<int32_t>{0x1B}));
    EXPECT_EQ(script_ticks(s), 1 + 1 + 3 + 10000000 + 1);
}

TEST(Script, ErrorsNameTheLineAndTheToken) {
    EXPECT_EQ(parse_error("left\nfire\n"), "line 2: unknown token 'fire'");
    EXPECT_EQ(parse_error("*0"), "line 1: bad repeat count '*0' (want *1 to *10000000)");
    EXPECT_EQ(parse_error("\n\n*2 left"), "line 3: repeat count '*2' must be the last token on its line");
    EXPECT_EQ(parse_error("0x123456789"), "line 1: unknown token '0x123456789'");
    EXPECT_EQ(parse_error("lefty"), "line 1: unknown token 'lefty'");
    EXPECT_EQ(parse_error("+25"), "line 1: unknown token '+25'");
}

TEST(Utf8, LineEndsAndTheWindowsCodePage) {
    EXPECT_EQ(to_utf8("ab\r\ncd\r\n"), "ab\ncd\n");
    EXPECT_EQ(to_utf8("a\rb"), "a\rb");  // a lone CR stays
    EXPECT_EQ(to_utf8("\xA5\xBA"), "¥º");
    EXPECT_EQ(to_utf8("\x80\x99\x9F"), "€™Ÿ");
    EXPECT_EQ(to_utf8("\x81\xFF"), "\xC2\x81ÿ");
}
