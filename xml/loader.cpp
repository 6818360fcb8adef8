#include "xml/loader.h"

#include "xml/utf16.h"

#include <climits>
#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads the whole file as bytes; false when it cannot be opened or sized.
bool read_whole_file(const char* path, std::string& bytes) {
    const File file(std::fopen(path, "rb"));
    if (!file) {
        return false;
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        return false;
    }
    const long size = std::ftell(file.get());
    // Positions in the text are 32-bit, so larger files are not taken.
    if (size < 0 || size >= INT_MAX) {
        return false;
    }
    std::rewind(file.get());
    bytes.resize(static_cast<std::size_t>(size));
    const std::size_t read = size == 0 ? 0 : std::fread(bytes.data(), 1, bytes.size(), file.get());
    bytes.resize(read); // a short read gives a shorter text
    return true;
}

} // namespace

ElementRef load_xml_file(const char* path, ParseResult* result) {
    std::string text;
    if (path == nullptr || !read_whole_file(path, text)) {
        if (result != nullptr) {
            *result = ParseResult{parse_file_not_found, 0, 0};
        }
        return {};
    }
    convert_utf16_to_ansi(text);
    // c_str() ends the text with a NUL; an embedded NUL ends the parse there.
    return parse_document(text.c_str(), result);
}

std::string format_load_report(const char* path, const ParseResult& result) {
    if (result.code == parse_ok) {
        return {};
    }
    const char* const shown_path = path != nullptr ? path : "";
    const char* const format = "XML Parsing error inside file '%s'.\nError: %s\nAt line %i, column %i.\n";
    const char* const message = parse_message(result.code);
    const int length = std::snprintf(nullptr, 0, format, shown_path, message, result.line, result.column);
    std::string report(static_cast<std::size_t>(length), '\0');
    std::snprintf(report.data(), report.size() + 1, format, shown_path, message, result.line, result.column);
    if (result.code == parse_first_tag_not_found) {
        report += "First Tag should be '";
        report += document_element_name;
        report += "'.\n";
    }
    return report;
}

ElementRef load_xml_file_reported(const char* path, std::string& report) {
    ParseResult result{parse_ok, 0, 0};
    ElementRef element = load_xml_file(path, &result);
    report = format_load_report(path, result);
    if (!report.empty()) {
        std::fputs(report.c_str(), stdout);
        std::fflush(stdout);
    }
    return element;
}

ElementRef load_xml_file_reported(const char* path) {
    std::string report;
    return load_xml_file_reported(path, report);
}
