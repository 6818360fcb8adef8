#include "model/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace {

TEST(Text, EmptyTextHoldsOneNulByte) {
    const Text empty;
    ASSERT_NE(empty.chars, nullptr);
    EXPECT_EQ(empty.chars[0], '\0');
    EXPECT_EQ(empty.length(), 0u);
    EXPECT_EQ(empty.chain, nullptr);

    const Text from_null(nullptr);
    ASSERT_NE(from_null.chars, nullptr);
    EXPECT_STREQ(from_null.chars, "");
}

TEST(Text, ConstructionCopiesTheString) {
    char source[] = "line 1\r\nline 2";
    const Text t(source);
    source[0] = 'X';
    EXPECT_STREQ(t.chars, "line 1\r\nline 2");
    EXPECT_EQ(t.length(), 14u);
}

TEST(Text, AssignAndAppendIgnoreNull) {
    Text t("keep");
    text_assign(t, nullptr);
    EXPECT_STREQ(t.chars, "keep");
    text_append(t, nullptr);
    EXPECT_STREQ(t.chars, "keep");
    text_append(t, "");
    EXPECT_STREQ(t.chars, "keep");
}

TEST(Text, AssignAndAppendReplaceTheContent) {
    Text t("abc");
    text_assign(t, "");
    EXPECT_STREQ(t.chars, "");
    text_append(t, "de");
    text_append(t, "f");
    EXPECT_STREQ(t.chars, "def");
    EXPECT_EQ(t.length(), 3u);
}

TEST(Text, AssignAndAppendFromItsOwnBuffer) {
    Text t("abc");
    text_append(t, t.chars);
    EXPECT_STREQ(t.chars, "abcabc");
    text_assign(t, t.chars + 3);
    EXPECT_STREQ(t.chars, "abc");
    t = t;
    EXPECT_STREQ(t.chars, "abc");
}

TEST(Text, CopiesAreDeepAndLeaveChainsAlone) {
    Text linked("x");
    Text original("original");
    original.chain = &linked;

    Text copy(original);
    EXPECT_EQ(copy.chain, nullptr);
    EXPECT_NE(copy.chars, original.chars);
    EXPECT_STREQ(copy.chars, "original");

    Text target("target");
    target.chain = &linked;
    target = original;
    EXPECT_EQ(target.chain, &linked);
    EXPECT_NE(target.chars, original.chars);
    text_assign(original, "changed");
    EXPECT_STREQ(copy.chars, "original");
    EXPECT_STREQ(target.chars, "original");
}

// The moved-from state is what this test checks.
// NOLINTBEGIN(bugprone-use-after-move)
TEST(Text, MovesLeaveTheSourceEmptyAndUsable) {
    Text source("moved");
    const char* const buffer = source.chars;
    Text moved(std::move(source));
    EXPECT_EQ(moved.chars, buffer);
    ASSERT_NE(source.chars, nullptr);
    EXPECT_STREQ(source.chars, "");

    // The moved-from Text works like any other.
    text_append(source, "again");
    EXPECT_STREQ(source.chars, "again");

    Text target("old");
    target = std::move(moved);
    EXPECT_STREQ(target.chars, "moved");
    EXPECT_STREQ(moved.chars, "");
    moved = std::move(moved);
    EXPECT_STREQ(moved.chars, "");
    Text other;
    other = moved; // copy of a moved-from Text
    EXPECT_STREQ(other.chars, "");
}
// NOLINTEND(bugprone-use-after-move)

int sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(CompareIgnoringAsciiCase, OrdersBytesUnsignedFoldingOnlyAToZ) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"", "", 0},           {"abc", "abc", 0},   {"ABC", "abc", 0},
        {"aBc", "AbC", 0},     {"", "a", -1}, // a proper prefix orders first
        {"ab", "abc", -1},     {"ABC", "ab", 1},    {"alpha", "Beta", -1},
        {"Zeta", "alpha", 1},  {"_x", "Alpha", -1}, // '_' lies between 'Z' and 'a': before all letters
        {"[", "a", -1},        {"`", "A", -1},      {"Z", "_", 1},
        {"@", "A", -1},        {"\xe9", "z", 1}, // bytes above 127 compare unsigned
        {"\xc9", "\xe9", -1},                    // and are not folded
        {"a\x80", "A\x7f", 1}, {"\xff", "\x01", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sign(compare_ignoring_ascii_case(c.a, c.b)), c.expected)
            << '"' << c.a << "\" vs \"" << c.b << '"';
        EXPECT_EQ(sign(compare_ignoring_ascii_case(c.b, c.a)), -c.expected)
            << '"' << c.b << "\" vs \"" << c.a << '"';
    }
}

TEST(CompareIgnoringAsciiCase, TreatsNullAsEmpty) {
    EXPECT_EQ(compare_ignoring_ascii_case(nullptr, ""), 0);
    EXPECT_LT(compare_ignoring_ascii_case(nullptr, "a"), 0);
    EXPECT_GT(compare_ignoring_ascii_case("a", nullptr), 0);
}

} // namespace
