// Random documents and what a save and load gives back of them, and a fresh
// folder for each test's files. Documents are stated as in the model tests:
// "text:symbol,symbol|text:".
#pragma once

#include "../model/reference_model.h"
#include "docfile/document_file.h"
#include "docfile/document_writer.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

// Paragraphs of any byte but the three that describe() uses, with extra weight
// on what the file treats specially, and repeated and empty symbols: up to 6
// paragraphs of up to longest_text pieces, each with up to most_symbols - 1
// symbols.
inline std::string random_document(std::mt19937& random, unsigned longest_text = 60,
                                   unsigned most_symbols = 5) {
    static const char* const special[] = {"<",  ">",     "&",   "'",       "\"", "\r\n", "\r", "\n",   " ",
                                          "\t", "&amp;", "<P>", "</body>", "?>", "/>",   "=",  "<!--", "]]>"};
    const auto random_text = [&random](unsigned longest) {
        std::string s;
        for (auto n = random() % 6 == 0 ? 0 : random() % (longest + 1); n > 0; --n) {
            const char c = static_cast<char>(1 + random() % 255);
            s += random() % 3 == 0                    ? special[random() % std::size(special)]
                 : (c == '|' || c == ':' || c == ',') ? ""
                                                      : std::string(1, c);
        }
        return s;
    };
    std::string description;
    for (auto n = random() % 7; n > 0; --n) {
        description += random_text(longest_text) + ":";
        const std::string symbol = random_text(12);
        for (auto k = random() % most_symbols; k > 0; --k) {
            description += (random() % 5 == 0 ? symbol : random_text(12)) + ",";
        }
        description += "|";
    }
    return description;
}

// A save and load gives every line break (an LF with any CRs right before it)
// as CR LF, and texts without outer SPACE, TAB, CR or LF.
inline std::string expected_after_load(const std::string& description) {
    static const std::regex line_break("\r*\n");
    static const std::regex text_with_outer_whitespace("(^|\\|)[ \t\r\n]*([^:|]*?)[ \t\r\n]*:");
    return std::regex_replace(std::regex_replace(description, line_break, "\r\n"), text_with_outer_whitespace,
                              "$1$2:");
}

// Keeps the pieces it is given; refuses the piece numbered refused_from (from
// 0) and all after it.
class StringSink final : public ByteSink {
  public:
    explicit StringSink(std::size_t refused_from = SIZE_MAX) : refused_from_(refused_from) {}

    bool write(std::string_view bytes) override {
        pieces.emplace_back(bytes);
        return pieces.size() <= refused_from_;
    }
    std::string bytes() const {
        std::string all;
        for (const std::string& piece : pieces) {
            all += piece;
        }
        return all;
    }

    std::vector<std::string> pieces;

  private:
    std::size_t refused_from_;
};

// The bytes a save of doc writes.
inline std::string saved_bytes(const Document& doc, std::size_t buffer_size = document_buffer_size) {
    StringSink sink;
    write_document(doc.paragraphs, sink, buffer_size);
    return sink.bytes();
}

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::random_device seed;
        while (!std::filesystem::create_directory(path_ = std::filesystem::temp_directory_path() /
                                                          ("norvane-docfile-" + std::to_string(seed())))) {
        }
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() { std::filesystem::remove_all(path_); }

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
