// Random documents for the save-and-load property, and what a save and load
// of them must give back.
#pragma once

#include "plain_document.h"

#include <random>
#include <string>

class RandomDocuments {
  public:
    explicit RandomDocuments(unsigned seed) : random_(seed) {}

    PlainDocument next() {
        PlainDocument paragraphs(below(7));
        for (PlainParagraph& p : paragraphs) {
            p.text = random_string(60);
            const std::size_t symbol_count = below(5);
            for (std::size_t i = 0; i < symbol_count; ++i) {
                // Now and then the same symbol again, or an empty one.
                if (!p.symbols.empty() && below(5) == 0) {
                    p.symbols.push_back(p.symbols[below(p.symbols.size())]);
                } else {
                    p.symbols.push_back(below(6) == 0 ? std::string() : random_string(12));
                }
            }
        }
        return paragraphs;
    }

  private:
    std::size_t below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

    // Any byte from 1 to 255, with extra weight on what the file treats specially.
    std::string random_piece() {
        static const char* const special[] = {"<",       ">",  "&",  "'",  "\"",    "\r\n",
                                              "\r",      "\n", " ",  "\t", "&amp;", "<P>",
                                              "</body>", "?>", "/>", "=",  "<!--",  "]]>"};
        if (below(3) == 0) {
            return special[below(std::size(special))];
        }
        return std::string(1, static_cast<char>(1 + below(255)));
    }

    std::string random_string(std::size_t max_pieces) {
        std::string s;
        const std::size_t pieces = below(6) == 0 ? 0 : below(max_pieces + 1);
        for (std::size_t i = 0; i < pieces; ++i) {
            s += random_piece();
        }
        return s;
    }

    std::mt19937 random_;
};

// A line break is an LF with any CRs right before it; after a load it is CR LF.
inline std::string expected_line_breaks(const std::string& s) {
    std::string out;
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t crs_end = i;
        while (crs_end < s.size() && s[crs_end] == '\r') {
            ++crs_end;
        }
        if (crs_end < s.size() && s[crs_end] == '\n') {
            out += "\r\n";
            i = crs_end + 1;
        } else if (crs_end > i) {
            out.append(crs_end - i, '\r');
            i = crs_end;
        } else {
            out += s[i++];
        }
    }
    return out;
}

// The file format keeps neither leading nor trailing SPACE, TAB, CR or LF of a text.
inline std::string without_outer_whitespace(const std::string& s) {
    const char* const whitespace = " \t\r\n";
    const std::size_t first = s.find_first_not_of(whitespace);
    if (first == std::string::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(whitespace) - first + 1);
}

inline PlainDocument expected_after_load(const PlainDocument& saved) {
    PlainDocument expected = saved;
    for (PlainParagraph& p : expected) {
        p.text = without_outer_whitespace(expected_line_breaks(p.text));
        for (std::string& symbol : p.symbols) {
            symbol = expected_line_breaks(symbol);
        }
    }
    return expected;
}
