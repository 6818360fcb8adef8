// Each edit the commands make gives its result or, when memory runs out at
// any of its allocations, leaves the whole document as it was.
#include "allocation_limit.h"
#include "reference_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

std::string state_of(const Document& d) {
    return describe(d) + " #all " + describe(d.all_symbols) + " #cut " + d.cut_paragraph.text.chars + ":" +
           describe(d.cut_paragraph.symbols);
}

// Self-moves are among the cases checked.
// NOLINTBEGIN(bugprone-use-after-move)
TEST(Edit, CompletesOrLeavesTheDocumentUnchangedWhenMemoryRunsOut) {
    const struct {
        const char* name;
        std::function<void(Document&)> edit;
        const char* expected; // the document starts as "one:b,A,b|two:c #all stale #cut :"
    } cases[] = {
        {"append text", [](Document& d) { text_append(d.paragraphs->text, d.paragraphs->text.chars); },
         "oneone:b,A,b|two:c #all stale #cut :"},
        {"update", [](Document& d) { paragraph_assign(*paragraph_at(d, 1), *d.paragraphs); },
         "one:b,A,b|one:b,A,b #all stale #cut :"},
        {"self-assignment",
         [](Document& d) {
             paragraph_assign(*d.paragraphs, *d.paragraphs);
             *d.paragraphs = *d.paragraphs;
             d.paragraphs->symbols = d.paragraphs->symbols;
             d.paragraphs->text = d.paragraphs->text;
             d.paragraphs->text = std::move(d.paragraphs->text);
             d.paragraphs->symbols = std::move(d.paragraphs->symbols);
         },
         "one:b,A,b|two:c #all stale #cut :"},
        {"cut",
         [](Document& d) {
             paragraph_assign(d.cut_paragraph, *d.paragraphs);
             paragraph_list_remove(d, d.paragraphs);
         },
         "two:c #all stale #cut one:b,A,b"},
        {"paste after",
         [](Document& d) { paragraph_list_insert_after(paragraph_at(d, 1), new Paragraph(*d.paragraphs)); },
         "one:b,A,b|two:c|one:b,A,b #all stale #cut :"},
        {"paste before", [](Document& d) { paragraph_list_prepend(d, new Paragraph(*paragraph_at(d, 1))); },
         "two:c|one:b,A,b|two:c #all stale #cut :"},
        {"rebuild", [](Document& d) { rebuild_all_symbols(d); }, "one:b,A,b|two:c #all A,b,c #cut :"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int failures = 0;
        for (long n = 0; n < 100; ++n) { // more allocations than any of these edits makes
            Document d;
            append_paragraphs(d, "one:b,A,b|two:c");
            text_list_append_element(d.all_symbols, new Text("stale"));
            const std::string before = state_of(d);
            const bool threw = throws_with_allocation_failing(n, [&] { c.edit(d); });
            failures += threw ? 1 : 0;
            ASSERT_EQ(state_of(d), threw ? before : c.expected) << "allocation " << n;
        }
        EXPECT_GT(failures, 0);
    }
}
// NOLINTEND(bugprone-use-after-move)

} // namespace
