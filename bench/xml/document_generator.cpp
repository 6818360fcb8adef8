#include "document_generator.h"

#include <cstdint>

namespace {

// A small fixed-seed generator, so every run measures the same document.
class Random {
  public:
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<std::uint32_t>(state_ >> 32);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

  private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

const char* const words[] = {"rates",  "rise",    "index",  "market",  "the",     "of",        "and",
                             "report", "quarter", "growth", "Norvane", "symbol",  "paragraph", "link",
                             "value",  "price",   "bond",   "yield",   "caf\xE9", "na\xEFve",  "data",
                             "file",   "note",    "review", "plan"};
constexpr int word_count = sizeof words / sizeof words[0];
const char* const entities[] = {"&lt;", "&gt;", "&amp;", "&apos;", "&quot;"};

void append_symbol(std::string& out, Random& random) {
    out += words[random.below(word_count)];
    out += '_';
    out += std::to_string(random.below(1000));
    if (random.below(8) == 0) {
        out += "&amp;co";
    }
}

// About 300 to 500 characters of text with entities and CR LF line breaks inside.
void append_text(std::string& out, Random& random) {
    const int length = 300 + random.below(200);
    const std::size_t start = out.size();
    while (out.size() - start < static_cast<std::size_t>(length)) {
        out += words[random.below(word_count)];
        const int pick = random.below(40);
        if (pick < 5) {
            out += entities[pick];
        } else if (pick == 5) {
            out += "\r\n";
        }
        out += ' ';
    }
    out += "end.";
}

} // namespace

GeneratedDocuments generate_documents(std::size_t target_bytes, int paragraphs) {
    GeneratedDocuments result{{}, {}, 0};
    result.own.reserve(target_bytes + 4096);
    result.numbered.reserve(target_bytes + 8192);
    const std::string head = "<?xml version=\"1.0\"?>\r\n<body>\r\n";
    result.own += head;
    result.numbered += head;
    Random random;
    std::string symbol;
    std::string text;
    while (result.own.size() < target_bytes || result.paragraphs < paragraphs) {
        result.own += "\t<P";
        result.numbered += "\t<P";
        const int symbols = 2 + random.below(5);
        for (int s = 0; s < symbols; ++s) {
            symbol.clear();
            append_symbol(symbol, random);
            result.own += " symbol=\"" + symbol + "\"";
            result.numbered += " symbol" + std::to_string(s) + "=\"" + symbol + "\"";
        }
        text.clear();
        append_text(text, random);
        const std::string body = ">\r\n\t\t" + text + "\r\n\t</P>\r\n";
        result.own += body;
        result.numbered += body;
        ++result.paragraphs;
    }
    result.own += "</body>\r\n";
    result.numbered += "</body>\r\n";
    return result;
}

std::string generate_dense_document(int count) {
    std::string text = "<body>";
    text.reserve(static_cast<std::size_t>(count) * 4 + 16);
    for (int i = 0; i < count; ++i) {
        text += "<a/>";
    }
    return text + "</body>";
}
