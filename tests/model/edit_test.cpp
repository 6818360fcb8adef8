// Each edit the commands make gives its result or, when memory runs out at
// any of its allocations, leaves the whole document as it was.
#include "allocation_limit.h"
#include "reference_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
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
        const char* expected; // the document starts as "one:b,A,b|two:c #all A,b,c #cut :"
        bool needs_memory = true;
    } cases[] = {
        {"append text", [](Document& d) { text_append(d.paragraphs->text, d.paragraphs->text.chars); },
         "oneone:b,A,b|two:c #all A,b,c #cut :"},
        {"update", [](Document& d) { set_paragraph_text(d, *paragraph_at(d, 1), Text("ONE")); },
         "one:b,A,b|ONE:c #all A,b,c #cut :"},
        {"self-assignment",
         [](Document& d) {
             paragraph_assign(*d.paragraphs, *d.paragraphs);
             *d.paragraphs = *d.paragraphs;
             d.paragraphs->symbols = d.paragraphs->symbols;
             d.paragraphs->text = d.paragraphs->text;
             d.paragraphs->text = std::move(d.paragraphs->text);
             d.paragraphs->symbols = std::move(d.paragraphs->symbols);
         },
         "one:b,A,b|two:c #all A,b,c #cut :"},
        {"cut", [](Document& d) { cut_paragraph_at(d, 0); }, "two:c #all c #cut one:b,A,b"},
        {"paste after",
         [](Document& d) {
             paragraph_list_insert_after(d, paragraph_at(d, 1), new Paragraph(*d.paragraphs));
         },
         "one:b,A,b|two:c|one:b,A,b #all A,b,c #cut :"},
        {"paste before", [](Document& d) { paragraph_list_prepend(d, new Paragraph(*paragraph_at(d, 1))); },
         "two:c|one:b,A,b|two:c #all A,b,c #cut :"},
        {"link a case variant", [](Document& d) { link_symbol_after(d, *d.paragraphs, 0, new Text("B")); },
         "one:b,B,A,b|two:c #all A,b,B,c #cut :"},
        {"paste a case variant before the first",
         [](Document& d) {
             auto pasted = std::make_unique<Paragraph>();
             link_symbol_after(*pasted, -1, new Text("a"));
             paragraph_list_prepend(d, pasted.release());
         },
         ":a|one:b,A,b|two:c #all a,A,b,c #cut :"},
        {"unlink", [](Document& d) { unlink_symbol_at(d, *d.paragraphs, 0); },
         "one:A,b|two:c #all A,b,c #cut :", false},
        {"unlink the last link of a symbol", [](Document& d) { unlink_symbol_at(d, *paragraph_at(d, 1), 0); },
         "one:b,A,b|two: #all A,b #cut :", false},
        {"rebuild", [](Document& d) { rebuild_all_symbols(d); }, "one:b,A,b|two:c #all A,b,c #cut :"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int failures = 0;
        for (long n = 0; n < 100; ++n) { // more allocations than any of these edits makes
            Document d;
            append_paragraphs(d, "one:b,A,b|two:c");
            const std::string before = state_of(d);
            const bool threw = throws_with_allocation_failing(n, [&] { c.edit(d); });
            failures += threw ? 1 : 0;
            ASSERT_EQ(state_of(d), threw ? before : c.expected) << "allocation " << n;
            ASSERT_EQ(index_disagreement(d), "") << "allocation " << n;
        }
        EXPECT_EQ(failures > 0, c.needs_memory);
    }
}
// NOLINTEND(bugprone-use-after-move)

} // namespace
