#pragma once

// Small helpers that let the model tests state lists as plain strings.

#include "model/document.h"

#include <initializer_list>
#include <string>
#include <vector>

inline std::vector<std::string> texts_of(const TextList& list) {
    std::vector<std::string> texts;
    for (const Text* e = list.first; e; e = e->chain) {
        texts.emplace_back(e->chars);
    }
    return texts;
}

inline TextList make_text_list(std::initializer_list<const char*> texts) {
    TextList list;
    for (const char* s : texts) {
        text_list_append(list, s);
    }
    return list;
}

inline Paragraph* make_paragraph(const char* text, std::initializer_list<const char*> symbols) {
    auto* p = new Paragraph;
    text_assign(p->text, text);
    for (const char* s : symbols) {
        text_list_append(p->symbols, s);
    }
    return p;
}

inline std::vector<std::string> paragraph_texts(const Document& d) {
    std::vector<std::string> texts;
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        texts.emplace_back(p->text.chars);
    }
    return texts;
}

inline std::vector<std::string> texts_of(const std::vector<const Paragraph*>& paragraphs) {
    std::vector<std::string> texts;
    texts.reserve(paragraphs.size());
    for (const Paragraph* p : paragraphs) {
        texts.emplace_back(p->text.chars);
    }
    return texts;
}
