// The document's own indexes (paragraphs by position and by text, all symbols
// counted as links come and go) against the plain walks over the chain, after
// every edit of long random edit sequences; and the edits recorded for a list
// showing all symbols, applied one by one, against the list shown whole.
#include "reference_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// A list showing all symbols the way the main window keeps one: whole after a
// rebuild, otherwise edit by edit.
struct ShownSymbols {
    std::vector<std::string> lines;

    void follow(AllSymbols& all) {
        if (all.rebuilt()) {
            lines.clear();
            for (int i = 0; i < all.size(); ++i) {
                lines.emplace_back(all.at(i)->chars);
            }
        } else {
            for (const SymbolListEdit& edit : all.edits()) {
                ASSERT_GE(edit.position, 0);
                ASSERT_LE(edit.position, static_cast<int>(lines.size()));
                if (edit.what == SymbolListEdit::kind::insert) {
                    lines.insert(lines.begin() + edit.position, edit.text);
                } else {
                    ASSERT_LT(edit.position, static_cast<int>(lines.size()));
                    lines.erase(lines.begin() + edit.position);
                }
            }
        }
        all.take_edits();
    }

    std::string joined() const {
        std::string out;
        for (const std::string& line : lines) {
            out.append(&line == &lines.front() ? "" : ",").append(line);
        }
        return out;
    }
};

class RandomEdits {
  public:
    explicit RandomEdits(unsigned seed) : random_(seed) {}

    // Case variants of few letters, so that symbols meet often, differ only in
    // case often, and contain one another.
    std::string symbol() {
        static constexpr char letters[] = "aAbB_";
        std::string s;
        for (auto n = random_() % 3; n > 0; --n) {
            s += letters[random_() % (sizeof letters - 1)];
        }
        return s;
    }

    std::string text() { return std::string("t").append(std::to_string(random_() % 6)); }

    Paragraph* paragraph() {
        auto p = std::make_unique<Paragraph>();
        text_assign(p->text, text().c_str());
        for (auto n = random_() % 4; n > 0; --n) {
            link_symbol_after(*p, -1, new Text(symbol().c_str()));
        }
        return p.release();
    }

    int below(int n) { return n > 0 ? static_cast<int>(random_() % static_cast<unsigned>(n)) : 0; }

    // One edit of the kinds the commands make; its name for the failure message.
    std::string edit(Document& d) {
        const int count = paragraph_count(d);
        Paragraph* const some = paragraph_at(d, below(count));
        switch (random_() % 10) {
        case 0:
        case 1:
            paragraph_list_insert_at(d, below(count + 2), paragraph());
            return "insert";
        case 2:
            paragraph_list_remove(d, some);
            return "remove";
        case 3:
            cut_paragraph_at(d, below(count));
            return "cut";
        case 4:
        case 5:
            if (some != nullptr) {
                link_symbol_after(d, *some, below(5) - 1, new Text(symbol().c_str()));
            }
            return "link";
        case 6:
        case 7:
            if (some != nullptr) {
                unlink_symbol_at(d, *some, below(4));
            }
            return "unlink";
        case 8:
            if (some != nullptr) {
                set_paragraph_text(d, *some, Text(text().c_str()));
            }
            return "text";
        default:
            if (random_() % 8 == 0) {
                Document source;
                for (auto n = random_() % 6; n > 0; --n) {
                    paragraph_list_append(source, paragraph());
                }
                Paragraph* const chain = source.paragraphs;
                source.paragraphs = nullptr; // handed over whole
                source.order.clear();
                replace_paragraphs(d, chain);
                return "replace";
            }
            paragraph_list_insert_after(d, some, paragraph());
            return "insert after";
        }
    }

  private:
    std::mt19937 random_;
};

TEST(DocumentIndexes, AgreeWithThePlainWalksAfterEveryEdit) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Document d;
        ShownSymbols shown;
        RandomEdits random(seed);
        for (int step = 0; step < 300; ++step) {
            const std::string edit = random.edit(d);
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step) + ", " + edit);
            ASSERT_EQ(index_disagreement(d), "") << describe(d);
            // Only a whole new document is shown whole; every other edit, edit by edit.
            ASSERT_EQ(d.all_symbols.rebuilt(), edit == "replace");
            shown.follow(d.all_symbols);
            ASSERT_EQ(shown.joined(), describe(d.all_symbols)) << describe(d);

            const std::string wanted = random.symbol();
            ASSERT_EQ(paragraphs_with_symbol(d, wanted.c_str()),
                      reference_query(d, [&](const char* x) { return wanted == x; }))
                << wanted;
            ASSERT_EQ(paragraphs_with_symbol_containing(d, wanted.c_str()),
                      reference_query(d, [&](const char* x) { return std::strstr(x, wanted.c_str()); }))
                << wanted;
        }
    }
}

// Paragraphs inserted again and again at one place, and at the front, until
// their places must be handed out anew, stay in document order.
TEST(DocumentIndexes, KeepTheirOrderWhenInsertedAtOnePlaceManyTimes) {
    Document d;
    append_paragraphs(d, "first:x|last:x");
    for (int i = 0; i < 200; ++i) {
        paragraph_list_insert_at(d, 1 + i, new Paragraph);
        paragraph_list_insert_at(d, 0, new Paragraph);
        link_symbol_after(d, *paragraph_at(d, 0), -1, new Text(i % 2 == 0 ? "X" : "x"));
    }
    EXPECT_EQ(index_disagreement(d), "");
    EXPECT_EQ(paragraphs_with_symbol(d, "x"), reference_query(d, [](const char* s) { return *s == 'x'; }));
}

} // namespace
