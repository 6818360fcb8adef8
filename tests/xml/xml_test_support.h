// Helpers shared by the XML tests: temporary files, UTF-16 bytes, written text.
#pragma once

#include "xml/element.h"
#include "xml/writer.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A file in the temporary directory that is removed when the test ends. Its name is this
// process's own, so that test runs side by side (other checkouts, other presets) never share it.
class TempFile {
  public:
    TempFile(const std::string& name, const std::string& bytes)
        : path_(
              (std::filesystem::temp_directory_path() / ("norvane_xml_" + run_tag() + "_" + name)).string()) {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const char* path() const { return path_.c_str(); }

  private:
    static const std::string& run_tag() {
        static const std::string tag = std::to_string(std::random_device{}());
        return tag;
    }

    std::string path_;
};

// Little-endian UTF-16 of a Latin-1 text, with or without a byte order mark.
inline std::string utf16le(const std::string& text, bool byte_order_mark) {
    std::string out = byte_order_mark ? "\xFF\xFE" : "";
    for (const char c : text) {
        out += std::string{c, '\0'};
    }
    return out;
}

// The writer's text for e at level, counted first and then written; flags a missing NUL.
inline std::string written(const Element* e, int level) {
    std::string out(write_element(e, nullptr, level) + 1, '\x7f');
    const std::size_t length = write_element(e, out.data(), level);
    return out.substr(0, length) + (out[length] == '\0' ? "" : "<no NUL>");
}

// A tree built as the document file builds its own: a declaration holding "body", which holds
// paragraphs "P", each with a text and a "symbol". False when any step ran out of memory.
inline bool build_document(ElementRef& root, const char* text, const char* symbol, int paragraphs) {
    const BlockGrowthScope growth;
    root = new_document_root();
    const ElementRef declaration = append_child(root.get(), copy_string("xml"), true);
    const ElementRef body = append_child(declaration.get(), copy_string("body"), false);
    bool complete = body && append_attribute(declaration.get(), copy_string("version"), copy_string("1.0"));
    for (int i = 0; i < paragraphs && complete; ++i) {
        const ElementRef p = append_child(body.get(), copy_string("P"), false);
        complete = append_text(p.get(), copy_string(text)) &&
                   append_attribute(p.get(), copy_string("symbol"), copy_string(symbol));
        compact_element(p.get());
    }
    compact_element(body.get());
    compact_element(declaration.get());
    compact_element(root.get());
    return complete;
}
