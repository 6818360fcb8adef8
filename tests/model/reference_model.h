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
inline std::string describe(const AllSymbols& all) {
    std::string out;
    for (int i = 0; i < all.size(); ++i) {
        out.append(i == 0 ? "" : ",").append(all.at(i)->chars);
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
        const std::size_t colon = item.find(':');
        text_assign(p->text, item.substr(0, colon).c_str());
        std::istringstream symbols(item.substr(colon + 1));
        for (std::string symbol; std::getline(symbols, symbol, ',');) {
            text_list_append_element(p->symbols, new Text(symbol.c_str()));
        }
        paragraph_list_append(d, p);
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
inline TextList reference_all_symbols(const Document& d) {
    TextList all;
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x; x = x->chain) {
            bool listed = false;
            for (const Text* e = all.first; e; e = e->chain) {
                listed = listed || std::strcmp(e->chars, x->chars) == 0;
            }
            Text** link = &all.first;
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
    return all;
}

// The paragraphs, in document order, once per symbol for which matches(symbol)
// holds: the plain nested walk.
template <typename Match> std::vector<const Paragraph*> reference_query(const Document& d, Match matches) {
    std::vector<const Paragraph*> found;
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x; x = x->chain) {
            if (matches(x->chars)) {
                found.push_back(p);
            }
        }
    }
    return found;
}

// What the document's own indexes must agree with: its chain by position, and
// its symbols as the plain algorithm derives them. "" when they agree.
inline std::string index_disagreement(const Document& d) {
    int position = 0;
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph, ++position) {
        if (paragraph_at(d, position) != p || position_of(d, p) != position) {
            return "paragraph " + std::to_string(position) + " is not at its position";
        }
        if (first_paragraph_with_text(d, p->text.chars) > position) {
            return "paragraph " + std::to_string(position) + " is not found by its text";
        }
    }
    if (paragraph_count(d) != position) {
        return "the count is " + std::to_string(paragraph_count(d)) + ", the chain holds " +
               std::to_string(position);
    }
    const std::string expected = describe(reference_all_symbols(d));
    if (describe(d.all_symbols) != expected) {
        return "all symbols are " + describe(d.all_symbols) + ", expected " + expected;
    }
    return "";
}
