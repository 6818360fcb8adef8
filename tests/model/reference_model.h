#pragma once

// The plain algorithms the model's fast ones must agree with (nested walks
// over every paragraph and symbol, sorting by repeated sorted insertion), and
// the document building and printing that only the tests need.

#include "model/document.h"

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

// "a,b" for a list, "p1:a,b|p2:" for a document.
inline std::string describe(const TextList& list) {
    std::string out;
    for (const Text* e = list.first; e; e = e->chain) {
        out.append(e == list.first ? "" : ",").append(e->chars);
    }
    return out;
}
inline std::string describe(const Document& d) {
    std::string out;
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        out.append(p == d.paragraphs ? "" : "|")
            .append(p->text.chars)
            .append(":")
            .append(describe(p->symbols));
    }
    return out;
}

// The reverse of describe(const Document&): appends "p1:a,b|p2:" to d.
inline void append_paragraphs(Document& d, const std::string& description) {
    std::istringstream paragraphs(description);
    for (std::string item; std::getline(paragraphs, item, '|');) {
        auto* const p = new Paragraph;
        paragraph_list_append(d, p);
        const std::size_t colon = item.find(':');
        text_assign(p->text, item.substr(0, colon).c_str());
        std::istringstream symbols(item.substr(colon + 1));
        for (std::string symbol; std::getline(symbols, symbol, ',');) {
            text_list_append_element(p->symbols, new Text(symbol.c_str()));
        }
    }
}

// The case-insensitive order read plainly: copies with 'A' to 'Z' lowered,
// compared as unsigned bytes (as std::string compares).
inline int reference_compare(const char* a, const char* b) {
    const auto lowered = [](std::string s) {
        for (char& c : s) {
            c = ('A' <= c && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
        }
        return s;
    };
    return lowered(a).compare(lowered(b));
}

// Each symbol not yet listed goes after every listed one that does not order after it.
inline void reference_rebuild_all_symbols(Document& d) {
    text_list_clear(d.all_symbols);
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x; x = x->chain) {
            bool listed = false;
            for (const Text* e = d.all_symbols.first; e; e = e->chain) {
                listed = listed || std::strcmp(e->chars, x->chars) == 0;
            }
            Text** link = &d.all_symbols.first;
            while (!listed && *link && reference_compare((*link)->chars, x->chars) <= 0) {
                link = &(*link)->chain;
            }
            if (!listed) {
                auto* const copy = new Text(x->chars);
                copy->chain = *link;
                *link = copy;
            }
        }
    }
}
