// Documents as plain values, random documents, and a fresh folder for each
// test's files.
#pragma once

#include "docfile/document_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <vector>

using PlainParagraph = std::vector<std::string>; // the text, then the symbols
using PlainDocument = std::vector<PlainParagraph>;

inline void set_paragraphs(Document& doc, const PlainDocument& paragraphs) {
    paragraph_list_clear(doc);
    for (auto p = paragraphs.rbegin(); p != paragraphs.rend(); ++p) {
        auto* const paragraph = new Paragraph;
        text_assign(paragraph->text, p->front().c_str());
        for (auto symbol = p->begin() + 1; symbol != p->end(); ++symbol) {
            text_list_append_element(paragraph->symbols, new Text(symbol->c_str()));
        }
        paragraph_list_prepend(doc, paragraph);
    }
}

inline PlainDocument plain_paragraphs(const Document& doc) {
    PlainDocument paragraphs;
    for (const Paragraph* p = doc.paragraphs; p != nullptr; p = p->next_paragraph) {
        paragraphs.push_back({p->text.chars});
        for (const Text* s = p->symbols.first; s != nullptr; s = s->chain) {
            paragraphs.back().emplace_back(s->chars);
        }
    }
    return paragraphs;
}

// Random paragraphs of any byte from 1 to 255, with extra weight on what the
// file treats specially, repeated and empty symbols.
inline PlainDocument random_document(std::mt19937& random) {
    static const char* const special[] = {"<",  ">",     "&",   "'",       "\"", "\r\n", "\r", "\n",   " ",
                                          "\t", "&amp;", "<P>", "</body>", "?>", "/>",   "=",  "<!--", "]]>"};
    const auto random_string = [&random](unsigned max_pieces) {
        std::string s;
        for (auto n = random() % 6 == 0 ? 0 : random() % (max_pieces + 1); n > 0; --n) {
            s += random() % 3 == 0 ? std::string(special[random() % std::size(special)])
                                   : std::string(1, static_cast<char>(1 + random() % 255));
        }
        return s;
    };
    PlainDocument paragraphs(random() % 7);
    for (PlainParagraph& p : paragraphs) {
        p.push_back(random_string(60));
        for (auto n = random() % 5; n > 0; --n) {
            p.push_back(p.size() > 1 && random() % 5 == 0 ? p[1 + random() % (p.size() - 1)]
                                                          : random_string(12));
        }
    }
    return paragraphs;
}

// What a save and load gives back: every line break (an LF with any CRs
// right before it) as CR LF, and texts without outer SPACE, TAB, CR or LF.
inline PlainDocument expected_after_load(PlainDocument paragraphs) {
    static const std::regex line_break("\r*\n");
    for (PlainParagraph& p : paragraphs) {
        for (std::string& s : p) {
            s = std::regex_replace(s, line_break, "\r\n");
        }
        const std::size_t first = p[0].find_first_not_of(" \t\r\n");
        p[0] = first == std::string::npos ? ""
                                          : p[0].substr(first, p[0].find_last_not_of(" \t\r\n") - first + 1);
    }
    return paragraphs;
}

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::random_device seed;
        do {
            path_ = std::filesystem::temp_directory_path() / ("norvane-docfile-" + std::to_string(seed()));
        } while (!std::filesystem::create_directory(path_));
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path path_;
};

inline void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
