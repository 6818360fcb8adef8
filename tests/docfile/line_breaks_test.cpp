#include "docfile/line_breaks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LineBreakCase {
    const char* input;
    const char* with_lf;
    const char* with_crlf;
};

const LineBreakCase line_break_cases[] = {
    {"", "", ""},
    {"one line", "one line", "one line"},
    {"a\r\nb", "a\nb", "a\r\nb"},
    {"a\nb", "a\nb", "a\r\nb"},
    // CRs right before an LF belong to the line break (older files hold CR CR LF).
    {"a\r\r\nb", "a\nb", "a\r\nb"},
    {"a\r\r\r\n", "a\n", "a\r\n"},
    // A CR without an LF after it is an ordinary character.
    {"a\rb", "a\rb", "a\rb"},
    {"a\r", "a\r", "a\r"},
    {"\r\rb\r", "\r\rb\r", "\r\rb\r"},
    {"\n\n", "\n\n", "\r\n\r\n"},
    {"\r\n\n\r\n", "\n\n\n", "\r\n\r\n\r\n"},
    {"x\r\ny\rz\nw", "x\ny\rz\nw", "x\r\ny\rz\r\nw"},
};

TEST(LineBreaks, EachLineBreakBecomesOneLfOrOneCrLf) {
    for (const LineBreakCase& c : line_break_cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.input)));
        EXPECT_EQ(with_lf_line_breaks(c.input), c.with_lf);
        EXPECT_EQ(with_crlf_line_breaks(c.input), c.with_crlf);
        // Both forms describe the same lines.
        EXPECT_EQ(with_crlf_line_breaks(with_lf_line_breaks(c.input)), c.with_crlf);
        EXPECT_EQ(with_lf_line_breaks(with_crlf_line_breaks(c.input)), c.with_lf);
    }
}

TEST(LineBreaks, LineEndsPutACrBeforeEveryLfAndChangeNothingElse) {
    EXPECT_EQ(with_crlf_line_ends(""), "");
    EXPECT_EQ(with_crlf_line_ends("<body/>\n"), "<body/>\r\n");
    EXPECT_EQ(with_crlf_line_ends("\n\na\rb\n"), "\r\n\r\na\rb\r\n");
    EXPECT_EQ(with_crlf_line_ends("no end"), "no end");
    const std::string with_nul("a\0\nb", 4);
    EXPECT_EQ(with_crlf_line_ends(with_nul), std::string("a\0\r\nb", 5));
}

} // namespace
