#include "xml/tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Tokens of a text, as "kind:characters" ("V:opening" for a verbatim opening), up to the end.
std::vector<std::string> tokens_of(const char* input) {
    ParseState state{input, 0, 0, 0, nullptr, 0, 0, verbatim_markers, 0};
    std::vector<std::string> out;
    for (;;) {
        const Token t = scan_token(state);
        if (t.kind == TokenKind::end_of_text) {
            return out;
        }
        if (t.kind == TokenKind::verbatim_open) {
            out.push_back(std::string("V:") + t.marker->opening);
            return out; // the block's content is not tokens
        }
        out.push_back(std::to_string(static_cast<int>(t.kind)) + ":" + std::string(t.start, t.length));
    }
}

TEST(XmlTokenizer, SplitsTextIntoTokens) {
    struct Case {
        const char* input;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"<a b=1>", {"2:<", "0:a", "0:b", "5:=", "0:1", "4:>"}},
        {"</a >", {"3:</", "0:a", "4:>"}},
        {"<?xml v=\"1.0\"?>", {"6:<?", "0:xml", "0:v", "5:=", "1:\"1.0\"", "0:?", "4:>"}},
        {"<b/>", {"2:<", "0:b", "7:/>"}},
        {"a/b / c/ >", {"0:a/b", "0:/", "0:c/", "4:>"}},
        {"x/>", {"0:x", "7:/>"}},
        {"'a > b' q", {"1:'a > b'", "0:q"}},
        {"\"it's\"", {"1:\"it's\""}},
        {"'x<y'", {"0:'x", "2:<", "0:y'"}},
        {"'open", {"0:'open"}},
        {"a&b?c\"d", {"0:a&b?c\"d"}},
        {" \t\r\n word\v\f", {"0:word\v\f"}},
        {"<!-- c -->", {"V:<!--"}},
        {"<pre>", {"V:<PRE>"}},
        {"<sCRIPT>", {"V:<Script>"}},
        {"<!doctype html>", {"V:<!DOCTYPE"}},
        {"<![cdata[x]]>", {"V:<![CDATA["}},
        {"<press>", {"2:<", "0:press", "4:>"}},
        {"<!-x>", {"2:<", "0:!-x", "4:>"}},
        {"", {}},
        {"   ", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tokens_of(c.input), c.tokens) << c.input;
    }
}

TEST(XmlTokenizer, PositionsAfterTokens) {
    const char* const input = "'q'  x";
    ParseState state{input, 0, 0, 0, nullptr, 0, 0, verbatim_markers, 0};
    EXPECT_EQ(scan_token(state).kind, TokenKind::quoted);
    EXPECT_EQ(state.position, 5); // whitespace after a quoted string is skipped
    const char* const word = "ab cd";
    state = ParseState{word, 0, 0, 0, nullptr, 0, 0, verbatim_markers, 0};
    scan_token(state);
    EXPECT_EQ(state.position, 3); // the whitespace ending a word is consumed
    state = ParseState{"<!DOCTYPE x>", 0, 0, 0, nullptr, 0, 0, verbatim_markers, 0};
    scan_token(state);
    EXPECT_EQ(state.position, 9);
    state = ParseState{"  ", 0, 0, 0, nullptr, 0, 0, verbatim_markers, 0};
    EXPECT_EQ(skip_whitespace(state), '\0');
    EXPECT_EQ(state.position, 2);
}

TEST(XmlTokenizer, EndNameMatching) {
    struct Case {
        const char* name;
        const char* text;
        bool matches;
    };
    const Case cases[] = {
        {"a", "a>", true},  {"a", "ab>", false},    {"body", "BODY >", true}, {"a", "a/", true},
        {"a", "a\r", true}, {"a", "a=", true},      {"a", "a<", true},        {"a", "a", false},
        {"ab", "a", false}, {nullptr, "a>", false}, {"\xc9", "\xe9>", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(end_name_matches(c.name, c.text), c.matches)
            << (c.name ? c.name : "(null)") << " " << c.text;
    }
}

TEST(XmlTokenizer, TrimsTrailingWhitespaceOnly) {
    EXPECT_EQ(trim_trailing_whitespace("a b \t\r\n", 7), 3);
    EXPECT_EQ(trim_trailing_whitespace("a\v", 2), 2);
    EXPECT_EQ(trim_trailing_whitespace("   ", 3), 0);
}

} // namespace
