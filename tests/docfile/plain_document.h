// Documents as plain values, so that tests can state and compare them.
#pragma once

#include "model/document.h"

#include <ostream>
#include <string>
#include <vector>

struct PlainParagraph {
    std::string text;
    std::vector<std::string> symbols;
    bool operator==(const PlainParagraph&) const = default;
};
using PlainDocument = std::vector<PlainParagraph>;

// Replaces doc's paragraphs with the given ones.
inline void set_paragraphs(Document& doc, const PlainDocument& paragraphs) {
    paragraph_list_clear(doc);
    Paragraph** tail = &doc.paragraphs;
    for (const PlainParagraph& plain : paragraphs) {
        auto* const p = new Paragraph;
        text_assign(p->text, plain.text.c_str());
        for (const std::string& symbol : plain.symbols) {
            text_list_append(p->symbols, symbol.c_str());
        }
        *tail = p;
        tail = &p->next_paragraph;
    }
}

inline PlainDocument plain_paragraphs(const Paragraph* first) {
    PlainDocument paragraphs;
    for (const Paragraph* p = first; p != nullptr; p = p->next_paragraph) {
        PlainParagraph plain{p->text.chars, {}};
        for (const Text* s = p->symbols.first; s != nullptr; s = s->chain) {
            plain.symbols.emplace_back(s->chars);
        }
        paragraphs.push_back(std::move(plain));
    }
    return paragraphs;
}

// Bytes shown with C escapes, so that a failure shows CRs, TABs and high bytes.
inline std::string escaped(const std::string& bytes) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '"' || c == '\\') {
            out += std::string("\\") + c;
        } else if (u < 32 || u >= 127) {
            out += std::string("\\x") + hex[u >> 4] + hex[u & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

inline void PrintTo(const PlainParagraph& p, std::ostream* os) {
    *os << "{" << escaped(p.text) << ", [";
    for (std::size_t i = 0; i < p.symbols.size(); ++i) {
        *os << (i ? ", " : "") << escaped(p.symbols[i]);
    }
    *os << "]}";
}
