// A large document for timing the document file: paragraphs of a few lines
// of text (with CR LF line breaks and the odd character that needs an entity)
// and a few symbols each, about 200 bytes of file per paragraph.
#pragma once

#include "model/document.h"

#include <random>
#include <string>

constexpr int large_document_paragraphs = 100000;

inline void fill_large_document(Document& doc, int paragraph_count) {
    paragraph_list_clear(doc);
    std::mt19937 random(7);
    const auto word = [&random] {
        std::string w;
        for (int length = 2 + static_cast<int>(random() % 8); length > 0; --length) {
            w += static_cast<char>('a' + random() % 26);
        }
        return w;
    };
    Paragraph** tail = &doc.paragraphs;
    for (int i = 0; i < paragraph_count; ++i) {
        auto* const p = new Paragraph;
        std::string text;
        for (int w = 0; w < 26; ++w) {
            text += word();
            text += w % 9 == 8 ? "\r\n" : (w % 13 == 12 ? " & " : " ");
        }
        text += '#';
        text += std::to_string(i);
        text_assign(p->text, text.c_str());
        Text** symbol_tail = &p->symbols.first;
        for (int s = static_cast<int>(random() % 4); s > 0; --s) {
            std::string symbol = word();
            symbol += 's';
            *symbol_tail = new Text(symbol.c_str());
            symbol_tail = &(*symbol_tail)->chain;
        }
        *tail = p;
        tail = &p->next_paragraph;
    }
}
