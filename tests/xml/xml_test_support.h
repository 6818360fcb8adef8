// Helpers shared by the XML tests: temporary files, UTF-16 bytes, written text.
#pragma once

#include "xml/element.h"
#include "xml/writer.h"

#include <cstdio>
#include <filesystem>
#include <string>

// A file in the temporary directory that is removed when the test ends.
class TempFile {
  public:
    TempFile(const std::string& name, const std::string& bytes)
        : path_((std::filesystem::temp_directory_path() / ("norvane_xml_" + name)).string()) {
        std::FILE* const file = std::fopen(path_.c_str(), "wb");
        if (file != nullptr) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
    }
    ~TempFile() { std::remove(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const char* path() const { return path_.c_str(); }

  private:
    std::string path_;
};

// Little-endian UTF-16 of an ASCII or Latin-1 text, optionally with a byte order mark.
inline std::string utf16le(const std::string& text, bool byte_order_mark) {
    std::string out = byte_order_mark ? std::string("\xFF\xFE", 2) : std::string();
    for (const char c : text) {
        out += c;
        out += '\0';
    }
    return out;
}

// The writer's text for e at level, counted first and then written.
inline std::string written(const Element* e, int level) {
    std::string out(write_element(e, nullptr, level) + 1, '\x7f');
    const std::size_t length = write_element(e, out.data(), level);
    return out.substr(0, length) + (out[length] == '\0' ? "" : "<no NUL>");
}
