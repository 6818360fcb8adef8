#include "model/paragraph_list.h"

#include "model/document.h"

Paragraph* paragraph_at(const Document& d, int i) {
    if (i < 0) {
        return nullptr;
    }
    Paragraph* p = d.paragraphs;
    for (; p && i > 0; --i) {
        p = p->next_paragraph;
    }
    return p;
}

int paragraph_count(const Document& d) {
    int n = 0;
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        ++n;
    }
    return n;
}

void paragraph_list_append(Document& d, Paragraph* p) {
    if (!p) {
        return;
    }
    p->next_paragraph = nullptr;
    Paragraph** link = &d.paragraphs;
    while (*link) {
        link = &(*link)->next_paragraph;
    }
    *link = p;
}

void paragraph_list_prepend(Document& d, Paragraph* p) {
    if (!p) {
        return;
    }
    p->next_paragraph = d.paragraphs;
    d.paragraphs = p;
}

void paragraph_list_insert_after(Paragraph* q, Paragraph* p) {
    if (!p) {
        return;
    }
    if (!q) {
        delete p; // owned but with nowhere to go
        return;
    }
    p->next_paragraph = q->next_paragraph;
    q->next_paragraph = p;
}

Paragraph* paragraph_list_remove(Document& d, Paragraph* p) {
    if (!p) {
        return nullptr;
    }
    Paragraph** link = &d.paragraphs;
    while (*link && *link != p) {
        link = &(*link)->next_paragraph;
    }
    if (!*link) {
        return nullptr;
    }
    Paragraph* const successor = p->next_paragraph;
    *link = successor;
    delete p;
    return successor;
}

void paragraph_list_clear(Document& d) {
    Paragraph* p = d.paragraphs;
    d.paragraphs = nullptr;
    while (p) {
        Paragraph* const next = p->next_paragraph;
        delete p;
        p = next;
    }
}
