#include "xml/entities.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using Owned = std::unique_ptr<char, FreeDeleter>;

std::string encode(const char* text) {
    std::string out(encoded_length(text) + 1, '#');
    encode_entities(text, out.data());
    EXPECT_EQ(out.back(), '\0');
    out.pop_back();
    return out;
}

TEST(XmlEntities, EncodesTheFiveCharactersOnly) {
    struct Case {
        const char* text;
        const char* encoded;
    };
    const Case cases[] = {
        {"", ""},
        {"a<b & \"c\"", "a&lt;b &amp; &quot;c&quot;"},
        {"it's > 5", "it&apos;s &gt; 5"},
        {"\t\r\n\x01\x7f\x80\xff", "\t\r\n\x01\x7f\x80\xff"},
        {"&amp;", "&amp;amp;"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encode(c.text), c.encoded) << c.text;
        EXPECT_EQ(encoded_length(c.text), std::strlen(c.encoded)) << c.text;
    }
    EXPECT_EQ(encoded_length("a<b & \"c\""), 26u);
}

TEST(XmlEntities, DecodesTheFiveEntitiesIgnoringCase) {
    struct Case {
        const char* span;
        const char* decoded;
    };
    const Case cases[] = {
        {"x &AMP; y", "x & y"},      {"&lt;&gt;&amp;&apos;&quot;", "<>&'\""},
        {"&LT;&Amp;&QuOt;", "<&\""}, {"plain text", "plain text"},
        {"&amp;lt;", "&lt;"},        {"\xe9\x80;", "\xe9\x80;"},
    };
    for (const Case& c : cases) {
        int code = 0;
        const Owned decoded(decode_entities(c.span, static_cast<int>(std::strlen(c.span)), code));
        ASSERT_NE(decoded, nullptr) << c.span;
        EXPECT_STREQ(decoded.get(), c.decoded);
        EXPECT_EQ(code, 0);
    }
}

TEST(XmlEntities, UnknownEntitySetsCode13) {
    for (const char* span : {"&nbsp;", "a & b", "&#65;", "&lt", "&", "&apos", "&quo;"}) {
        int code = 0;
        EXPECT_EQ(decode_entities(span, static_cast<int>(std::strlen(span)), code), nullptr) << span;
        EXPECT_EQ(code, 13) << span;
    }
}

TEST(XmlEntities, DecodeStaysWithinItsSpan) {
    int code = 0;
    // The entity would be complete past the span's end; within the span it is not.
    EXPECT_EQ(decode_entities("a&amp;", 4, code), nullptr);
    EXPECT_EQ(code, 13);
    code = 0;
    const Owned prefix(decode_entities("ab&amp;", 2, code));
    EXPECT_STREQ(prefix.get(), "ab");
    const Owned upto_nul(decode_entities("ab\0cd", 5, code));
    EXPECT_STREQ(upto_nul.get(), "ab");
}

TEST(XmlEntities, EmptyAndNullSpans) {
    int code = 0;
    const Owned empty(decode_entities("abc", 0, code));
    EXPECT_STREQ(empty.get(), "");
    const Owned negative(decode_entities("abc", -3, code));
    EXPECT_STREQ(negative.get(), "");
    EXPECT_EQ(decode_entities(nullptr, 3, code), nullptr);
    EXPECT_EQ(code, 0);
}

TEST(XmlEntities, EncodeThenDecodeGivesTheText) {
    std::string all;
    for (int c = 1; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    const std::string encoded = encode(all.c_str());
    int code = 0;
    const Owned decoded(decode_entities(encoded.c_str(), static_cast<int>(encoded.size()), code));
    EXPECT_EQ(std::string(decoded.get()), all);
}

} // namespace
