#include "app/list_entries.h"

std::vector<const char*> entry_texts(const Paragraph* first) {
    std::vector<const char*> texts;
    for (const Paragraph* p = first; p != nullptr; p = p->next_paragraph) {
        texts.push_back(p->text.chars);
    }
    return texts;
}

std::vector<const char*> entry_texts(const TextList& list) {
    std::vector<const char*> texts;
    for (const Text* t = list.first; t != nullptr; t = t->chain) {
        texts.push_back(t->chars);
    }
    return texts;
}
