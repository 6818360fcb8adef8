#include "xml/loader.h"
#include "xml/utf16.h"
#include "xml/writer.h"

#include "temp_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(XmlUtf16, EightBitMarkupIsRecognised) {
    struct Case {
        std::string bytes;
        bool certain;
    };
    const Case cases[] = {
        {"<?xml?>", true},
        {"\r\n\t <body/>", true},
        {"<\xe4\xb8\xad\xe6", true},
        {std::string("<\0b\0", 4), false},
        {std::string("\xFF\xFE<\0", 4), false},
        {"text<body/>", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(is_certainly_8bit_markup(c.bytes), c.certain) << c.bytes;
    }
}

TEST(XmlUtf16, ConvertsLittleEndianUtf16) {
    std::string bytes = utf16le("<body>x\xE9</body>", true);
    ASSERT_TRUE(convert_utf16_to_ansi(bytes));
    EXPECT_EQ(bytes.substr(bytes.size() - 15), "<body>x\xE9</body>");
    std::string plain = "<body>x</body>";
    EXPECT_FALSE(convert_utf16_to_ansi(plain));
    EXPECT_EQ(plain, "<body>x</body>");
}

// Texts whose bytes, read in pairs, look like UTF-16 code units of CJK characters, letters or
// controls; none has a line break, and each file has an even length.
std::vector<std::string> tricky_texts() {
    std::vector<std::string> texts;
    std::string cjk;
    for (int i = 0; i < 64; ++i) {
        cjk += static_cast<char>(0x80 + (i * 7) % 0x80);
        cjk += static_cast<char>(0x4E + (i * 5) % 0x52);
    }
    texts.push_back(cjk);
    texts.push_back("this app can break this app can break");
    texts.push_back("Bush hid the facts and more facts");
    std::string every_byte;
    for (int c = 1; c < 256; ++c) {
        every_byte += static_cast<char>(c);
    }
    texts.push_back(every_byte);
    std::string controls;
    for (int i = 0; i < 40; ++i) {
        controls += "\x01\x02\x03\x0b\x0c";
    }
    texts.push_back(controls);
    return texts;
}

// The file as this program writes it, unformatted so that it has no line break at all.
std::string document_bytes(const std::string& text, const std::string& symbol) {
    const ElementRef root = new_document_root();
    const ElementRef declaration = append_child(root.get(), copy_string("xml"), true);
    append_attribute(declaration.get(), copy_string("version"), copy_string("1.0"));
    const ElementRef body = append_child(declaration.get(), copy_string("body"), false);
    const ElementRef p = append_child(body.get(), copy_string("P"), false);
    append_attribute(p.get(), copy_string("symbol"), copy_string(symbol.c_str()));
    append_text(p.get(), copy_string(text.c_str()));
    std::string out(write_element(root.get(), nullptr, -1) + 1, '\0');
    write_element(root.get(), out.data(), -1);
    out.pop_back();
    return out;
}

TEST(XmlUtf16, FilesThisProgramWritesAreNeverTakenForUtf16) {
    for (const std::string& text : tricky_texts()) {
        for (const char* pad : {"", "x"}) {
            const std::string symbol = std::string("s") + pad;
            const std::string bytes = document_bytes(text, symbol);
            const TempFile file("eightbit.html", bytes);
            ParseResult result{};
            const ElementRef body = load_xml_file(file.path(), &result);
            ASSERT_TRUE(body) << "length " << bytes.size();
            EXPECT_EQ(result.code, 0);
            ASSERT_EQ(body->child_count, 1);
            EXPECT_STREQ(first_text(body->children[0]), text.c_str()) << "length " << bytes.size();
            EXPECT_STREQ(attribute_value_named(body->children[0], "symbol", 0), symbol.c_str());
        }
    }
}

} // namespace
