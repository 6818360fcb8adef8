#include "docfile/document_writer.h"

#include "docfile/line_breaks.h"
#include "xml/entities.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

constexpr std::string_view line_end = "\r\n";

// The entity encoder takes NUL-terminated texts: a line inside a text is
// copied out in pieces of this many bytes to be encoded.
constexpr std::size_t piece_bytes = 512;
// "&apos;" and "&quot;" are the longest encoded forms of a byte.
constexpr std::size_t longest_encoded_byte = 6;
// Room for an encoded piece and its NUL, with plenty to spare.
constexpr std::size_t smallest_buffer = 4 * (piece_bytes * longest_encoded_byte + 1);

// Gathers bytes in a buffer and hands it to the sink whenever it fills; after
// the sink refuses a piece, what follows is dropped.
class BufferedOutput {
  public:
    BufferedOutput(ByteSink& sink, std::size_t buffer_size)
        : sink_(sink), capacity_(std::max(buffer_size, smallest_buffer)),
          buffer_(std::make_unique_for_overwrite<char[]>(capacity_)), end_(buffer_.get()) {}

    bool refused() const { return refused_; }

    void put(std::string_view bytes) {
        while (bytes.size() > room()) {
            const std::size_t part = room();
            std::memcpy(end_, bytes.data(), part);
            end_ += part;
            bytes.remove_prefix(part);
            flush();
        }
        std::memcpy(end_, bytes.data(), bytes.size());
        end_ += bytes.size();
    }

    // text with the five characters as entities and its line breaks as CR LF.
    void put_encoded(const char* text) {
        const std::string_view whole(text);
        if (has_crlf_line_breaks_only(whole)) {
            put_encoded_to_end(whole); // most texts: one line, or lines from the edit box
            return;
        }
        FirstLine split = split_first_line(whole);
        for (; split.broken; split = split_first_line(split.rest)) {
            put_encoded_span(split.line);
            put(line_end);
        }
        put_encoded_to_end(split.line); // the last line ends where the text does, at its NUL
    }

    void flush() {
        if (!refused_ && end_ != buffer_.get()) {
            refused_ = !sink_.write({buffer_.get(), static_cast<std::size_t>(end_ - buffer_.get())});
        }
        end_ = buffer_.get();
    }

  private:
    std::size_t room() const { return capacity_ - static_cast<std::size_t>(end_ - buffer_.get()); }

    // Flushes unless n more bytes fit (n at most the capacity).
    void make_room(std::size_t n) {
        if (room() < n) {
            flush();
        }
    }

    // A span that a NUL ends: encoded in place unless it is too long for the buffer.
    void put_encoded_to_end(std::string_view text) {
        const std::size_t most = text.size() * longest_encoded_byte + 1;
        if (most > capacity_) {
            put_encoded_span(text);
            return;
        }
        make_room(most);
        end_ = encode_entities_to_end(text.data(), end_); // its NUL is overwritten by what follows
    }

    // A span without NUL, copied out piece by piece to be encoded.
    void put_encoded_span(std::string_view text) {
        while (!text.empty()) {
            const std::size_t n = std::min(text.size(), piece_bytes);
            std::memcpy(piece_, text.data(), n);
            piece_[n] = '\0';
            make_room(n * longest_encoded_byte + 1);
            end_ = encode_entities_to_end(piece_, end_);
            text.remove_prefix(n);
        }
    }

    ByteSink& sink_;
    const std::size_t capacity_;
    const std::unique_ptr<char[]> buffer_;
    char* end_;
    bool refused_ = false;
    char piece_[piece_bytes + 1] = {};
};

void write_paragraph(const Paragraph& paragraph, BufferedOutput& out) {
    out.put("\t<P");
    for (const Text* symbol = paragraph.symbols.first; symbol != nullptr; symbol = symbol->chain) {
        out.put(" symbol=\"");
        out.put_encoded(symbol->chars);
        out.put("\"");
    }
    out.put(">\r\n");
    // An empty text has no line at all.
    if (paragraph.text.chars[0] != '\0') {
        out.put("\t\t");
        out.put_encoded(paragraph.text.chars);
        out.put(line_end);
    }
    out.put("\t</P>\r\n");
}

} // namespace

void write_document(const Paragraph* first, ByteSink& sink, std::size_t buffer_size) {
    BufferedOutput out(sink, buffer_size);
    out.put("<?xml version=\"1.0\"?>\r\n");
    if (first == nullptr) {
        out.put("<body/>\r\n");
    } else {
        out.put("<body>\r\n");
        for (const Paragraph* p = first; p != nullptr && !out.refused(); p = p->next_paragraph) {
            write_paragraph(*p, out);
        }
        out.put("</body>\r\n");
    }
    out.flush();
}
