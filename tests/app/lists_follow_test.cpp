// Commands change the lists line by line; after every command of long random
// command sequences each list must show what showing it whole from the
// document would, with the selections the commands promise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "tests/app/main_window_session.h"
#include "tests/model/reference_model.h"

namespace {

using g = gen_main_win;

std::string joined(const std::vector<std::string>& lines, int selected) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool is_selected = static_cast<int>(i) == selected;
        out.append(i > 0 ? "|" : "")
            .append(is_selected ? "[" : "")
            .append(lines[i])
            .append(is_selected ? "]" : "");
    }
    return out;
}

std::vector<std::string> texts_of(const std::vector<const Paragraph*>& paragraphs) {
    std::vector<std::string> texts;
    for (const Paragraph* p : paragraphs) {
        texts.emplace_back(p->text.chars);
    }
    return texts;
}

// What each list shows when shown whole from the document, with the
// selections the commands promise: tracked here from each command's rules.
class expected_window {
  public:
    std::string paragraphs() const {
        std::vector<std::string> texts;
        for (const Paragraph* p = document().paragraphs; p != nullptr; p = p->next_paragraph) {
            texts.emplace_back(p->text.chars);
        }
        return joined(texts, paragraph_line);
    }
    std::string linked_symbols() const {
        std::vector<std::string> symbols;
        if (const Paragraph* p = paragraph_at(document(), paragraph_line); p != nullptr) {
            for (const Text* x = p->symbols.first; x != nullptr; x = x->chain) {
                symbols.emplace_back(x->chars);
            }
        }
        return joined(symbols, linked_line);
    }
    std::string all_symbols() const {
        std::vector<std::string> symbols;
        const TextList all = reference_all_symbols(document());
        for (const Text* x = all.first; x != nullptr; x = x->chain) {
            symbols.emplace_back(x->chars);
        }
        return joined(symbols, symbol_line);
    }
    std::string results_shown() const { return joined(results, result_line); }

    static const Document& document() { return the_window().shown_document(); }

    int paragraph_line = -1;
    int linked_line = -1;
    int symbol_line = -1;
    int result_line = -1;
    std::vector<std::string> results;
};

class random_session {
  public:
    explicit random_session(unsigned seed) : random_(seed) {}

    // One command of the user's, with what it promises; its name for messages.
    std::string command(expected_window& e) {
        const Document& d = expected_window::document();
        const int count = paragraph_count(d);
        const Paragraph* const selected = paragraph_at(d, e.paragraph_line);
        const auto paragraph_shown = [&e](int line) {
            e.paragraph_line = line;
            e.linked_line = -1;
            e.results.clear();
            e.result_line = -1;
        };
        const auto symbols_refilled = [&e] { e.symbol_line = -1; };
        switch (random_() % 14) {
        case 0: {
            const int line = pick(count);
            perform({select_line(&g::all_paragraphs_list, line)});
            paragraph_shown(line);
            return "select paragraph";
        }
        case 1: {
            const int line = pick(d.all_symbols.size());
            perform({select_line(&g::all_symbols_list, line)});
            e.symbol_line = line;
            const char* symbol = line >= 0 ? d.all_symbols.at(line)->chars : nullptr;
            show_results(
                e, [symbol](const char* x) { return symbol != nullptr && std::strcmp(x, symbol) == 0; });
            return "select symbol";
        }
        case 2: {
            const int links = selected != nullptr ? length_of(selected->symbols) : 0;
            const int line = pick(links);
            perform({select_line(&g::linked_symbols_list, line)});
            e.linked_line = line;
            const Text* symbol =
                selected != nullptr ? text_list_at(selected->symbols, e.linked_line) : nullptr;
            show_results(e, [symbol](const char* x) {
                return symbol != nullptr && std::strcmp(x, symbol->chars) == 0;
            });
            return "select linked symbol";
        }
        case 3: {
            const int line = pick(static_cast<int>(e.results.size()));
            perform({select_line(&g::result_list, line)});
            if (line >= 0) {
                e.result_line = line;
                e.paragraph_line =
                    first_paragraph_with_text(d, e.results[static_cast<std::size_t>(line)].c_str());
                e.linked_line = -1;
            }
            return "select result line";
        }
        case 4:
            perform({type_into(&g::paragraph_edit, text().c_str()), click_on(&g::update_button)});
            if (selected != nullptr) {
                paragraph_shown(e.paragraph_line);
            }
            return "update";
        case 5:
        case 6: {
            const bool enter = random_() % 2 == 0;
            perform({type_into(&g::paragraph_edit, text().c_str()),
                     enter ? user_step{user_step::enter} : click_on(&g::new_paragraph_button)});
            paragraph_shown(selected != nullptr ? e.paragraph_line + 1 : 0);
            return enter ? "update and new" : "new paragraph";
        }
        case 7:
        case 8: {
            const bool listed = random_() % 2 == 0;
            perform({type_into(&g::symbol_edit, symbol().c_str()),
                     click_on(listed ? &g::link_listed_symbol_button : &g::link_symbol_button)});
            if (selected != nullptr && (!listed || e.symbol_line >= 0)) {
                e.linked_line = -1;
                if (listed) {
                    e.symbol_line = d.all_symbols.position_of(symbol_selected_before_.c_str());
                } else {
                    symbols_refilled();
                }
            }
            return listed ? "link listed symbol" : "link typed symbol";
        }
        case 9:
            perform({click_on(&g::delete_symbol_button)});
            if (selected != nullptr) {
                e.linked_line = -1;
                symbols_refilled();
                e.results.clear();
                e.result_line = -1;
            }
            return "delete symbol";
        case 10:
            perform({click_on(&g::cut_button)});
            paragraph_shown(e.paragraph_line < paragraph_count(d) ? e.paragraph_line : -1);
            symbols_refilled();
            return "cut";
        default: {
            const bool before = random_() % 2 == 0;
            perform({click_on(before ? &g::paste_before_button : &g::paste_after_button)});
            const int line = selected == nullptr ? 0
                             : before            ? std::max(e.paragraph_line, 0)
                                                 : e.paragraph_line + 1;
            paragraph_shown(line);
            if (e.symbol_line >= 0) {
                e.symbol_line = d.all_symbols.position_of(symbol_selected_before_.c_str());
            }
            return before ? "paste before" : "paste after";
        }
        case 13: {
            const std::string wanted = symbol();
            perform({type_into(&g::search_edit, wanted.c_str()), click_on(&g::search_button)});
            show_results(e, [&wanted](const char* x) { return std::strstr(x, wanted.c_str()) != nullptr; });
            return "search";
        }
        }
        return "";
    }

    // The symbol All symbols has selected, by its text, before a command.
    void note_selected_symbol(const expected_window& e) {
        const Text* chosen = expected_window::document().all_symbols.at(e.symbol_line);
        symbol_selected_before_ = chosen != nullptr ? chosen->chars : "";
    }

  private:
    template <typename Match> static void show_results(expected_window& e, Match matches) {
        e.results = texts_of(reference_query(expected_window::document(), matches));
        e.result_line = -1;
    }
    static int length_of(const TextList& list) {
        int n = 0;
        for (const Text* x = list.first; x != nullptr; x = x->chain) {
            ++n;
        }
        return n;
    }
    // A line of a list of n lines; -1 (nothing selected) when it has none.
    int pick(int n) { return n > 0 ? static_cast<int>(random_() % static_cast<unsigned>(n)) : -1; }
    std::string symbol() {
        static constexpr char letters[] = "aAbB";
        std::string s;
        for (auto n = random_() % 3; n > 0; --n) {
            s += letters[random_() % (sizeof letters - 1)];
        }
        return s;
    }
    std::string text() { return std::string("t").append(std::to_string(random_() % 8)); }

    std::mt19937 random_;
    std::string symbol_selected_before_;
};

// "" when the two agree; otherwise where they part, with a little context,
// so that a long list does not flood the report.
std::string difference(const std::string& shown_text, const std::string& expected) {
    if (shown_text == expected) {
        return "";
    }
    const auto mismatch =
        std::mismatch(shown_text.begin(), shown_text.end(), expected.begin(), expected.end());
    const std::size_t at = static_cast<std::size_t>(mismatch.first - shown_text.begin());
    const std::size_t from = at > 40 ? at - 40 : 0;
    return "shown ..." + shown_text.substr(from, 80) + "... expected ..." + expected.substr(from, 80) + "...";
}

void run_random_session(const std::string& document, unsigned seed, int commands) {
    const temporary_file file("random.html");
    write_document(document, file.path);
    open_document(file.path);
    expected_window e;
    e.paragraph_line = selected_line(&g::all_paragraphs_list);
    random_session session(seed);
    for (int step = 0; step < commands; ++step) {
        session.note_selected_symbol(e);
        const std::string command = session.command(e);
        SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step) + ", " + command);
        ASSERT_EQ(difference(shown(&g::all_paragraphs_list), e.paragraphs()), "") << "all paragraphs";
        ASSERT_EQ(difference(shown(&g::linked_symbols_list), e.linked_symbols()), "") << "linked symbols";
        ASSERT_EQ(difference(shown(&g::all_symbols_list), e.all_symbols()), "") << "all symbols";
        ASSERT_EQ(difference(shown(&g::result_list), e.results_shown()), "") << "results";
    }
}

TEST(lists, show_after_every_command_what_showing_them_whole_would) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        run_random_session("a:a,A|b:b|c|a:B,a,b", seed, 150);
    }
}

TEST(lists, follow_commands_in_a_document_longer_than_five_thousand_paragraphs) {
    std::string document = "p0:a";
    for (int i = 1; i < 5200; ++i) {
        document += "|p" + std::to_string(i % 50) + (i % 7 == 0 ? ":b,A" : "");
    }
    run_random_session(document, 99, 60);
}

} // namespace
