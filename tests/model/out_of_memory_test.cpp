// Running out of memory in the middle of an edit leaves the document as it was.
#include "allocation_limit.h"
#include "reference_model.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::string state_of(const Document& d) {
    return describe(d) + "#" + describe(d.all_symbols) + "#" + describe(d.cut_paragraph) + "#" +
           d.file_name.chars;
}

void fill(Document& d) {
    append_paragraphs(d, "first:b,A,b|second:c");
    text_assign(d.cut_paragraph.text, "cut");
    text_list_append(d.all_symbols, "stale");
}

TEST(OutOfMemory, EveryEditCompletesOrLeavesTheDocumentUnchanged) {
    const struct {
        const char* name;
        std::function<void(Document&)> edit;
    } cases[] = {
        {"rename", [](Document& d) { text_assign(d.file_name, "other.html"); }},
        {"append text", [](Document& d) { text_append(paragraph_at(d, 0)->text, " more"); }},
        {"cut", [](Document& d) { paragraph_assign(d.cut_paragraph, *paragraph_at(d, 0)); }},
        {"update", [](Document& d) { paragraph_assign(*paragraph_at(d, 1), *paragraph_at(d, 0)); }},
        {"copy symbols", [](Document& d) { paragraph_at(d, 1)->symbols = paragraph_at(d, 0)->symbols; }},
        {"paste", [](Document& d) { paragraph_list_prepend(d, new Paragraph(*paragraph_at(d, 0))); }},
        {"rebuild", [](Document& d) { rebuild_all_symbols(d); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Document expected;
        fill(expected);
        c.edit(expected);
        long failing = 0;
        for (bool failed = true; failed; ++failing) {
            Document d;
            fill(d);
            const std::string before = state_of(d);
            const bool threw = run_with_allocation_failing(failing, [&] { c.edit(d); });
            failed = allocation_failed;
            ASSERT_EQ(state_of(d), threw ? before : state_of(expected)) << "allocation " << failing;
        }
        EXPECT_GT(failing, 1); // the edit allocated, so its failures were tried
    }
}

} // namespace
