#include "xml/loader.h"

#include "xml/allocation.h"
#include "xml/utf16_conversion.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The size of an open file in bytes, or -1; 64-bit on every platform, so that a file of 2 GB or
// more is told apart from one that cannot be sized.
std::int64_t file_size(std::FILE* file) {
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const std::int64_t size = _ftelli64(file);
#else
    if (fseeko(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const std::int64_t size = ftello(file);
#endif
    std::rewind(file);
    return size;
}

// Whether the open file is a folder. POSIX opens a folder for reading (its
// size then reads as huge) where Win32 refuses it; either way it cannot be
// loaded as a file.
bool is_folder(std::FILE* file) {
#ifdef _WIN32
    (void)file;
    return false;
#else
    struct stat info {};
    return fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
#endif
}

// Reads the whole file as a NUL-terminated text; the code says why when it cannot.
int read_whole_file(const char* path, LoadedText& text) {
    const File file(std::fopen(path, "rb"));
    if (!file || is_folder(file.get())) {
        return parse_file_not_found;
    }
    const std::int64_t size = file_size(file.get());
    if (size < 0) {
        return parse_file_not_found;
    }
    if (const int code = check_file_size(size); code != parse_ok) {
        return code;
    }
    const auto bytes = static_cast<std::size_t>(size);
    text.bytes.reset(static_cast<char*>(xml_malloc(bytes + 1)));
    if (!text.bytes) {
        return parse_out_of_memory;
    }
    // A short read gives a shorter text.
    text.size = bytes == 0 ? 0 : std::fread(text.bytes.get(), 1, bytes, file.get());
    text.bytes.get()[text.size] = '\0';
    return parse_ok;
}

} // namespace

void FreeBytes::operator()(char* bytes) const {
    std::free(bytes);
}

int check_file_size(std::int64_t size) {
    return size > INT_MAX ? parse_file_too_large : parse_ok;
}

bool is_certainly_8bit_markup(const char* bytes, std::size_t size) {
    std::size_t i = 0;
    while (i < size && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) {
        ++i;
    }
    if (i == size || bytes[i] != '<') {
        return false;
    }
    return std::memchr(bytes, '\0', size) == nullptr;
}

ElementRef load_xml_file(const char* path, ParseResult* result) {
    LoadedText text;
    int code = path == nullptr ? parse_file_not_found : read_whole_file(path, text);
    if (code == parse_ok && convert_utf16_to_ansi(text) == Utf16Conversion::out_of_memory) {
        code = parse_out_of_memory;
    }
    if (code != parse_ok) {
        if (result != nullptr) {
            *result = ParseResult{code, 0, 0};
        }
        return {};
    }
    // An embedded NUL ends the parse there.
    return parse_document(text.bytes.get(), result);
}

namespace {

// The report's lines; the second only when the "body" element was not found.
constexpr const char* report_format =
    "XML Parsing error inside file '%s'.\nError: %s\nAt line %i, column %i.\n";
constexpr const char* first_tag_format = "First Tag should be '%s'.\n";

const char* shown(const char* path) {
    return path != nullptr ? path : "";
}

// Printed without allocating, so that a load that ran out of memory is still reported.
void print_load_report(const char* path, const ParseResult& result) {
    if (result.code == parse_ok) {
        return;
    }
    std::printf(report_format, shown(path), parse_message(result.code), result.line, result.column);
    if (result.code == parse_first_tag_not_found) {
        std::printf(first_tag_format, document_element_name);
    }
    std::fflush(stdout);
}

} // namespace

std::string format_load_report(const char* path, const ParseResult& result) {
    if (result.code == parse_ok) {
        return {};
    }
    const char* const message = parse_message(result.code);
    const int length =
        std::snprintf(nullptr, 0, report_format, shown(path), message, result.line, result.column);
    std::string report(static_cast<std::size_t>(length), '\0');
    std::snprintf(report.data(), report.size() + 1, report_format, shown(path), message, result.line,
                  result.column);
    if (result.code == parse_first_tag_not_found) {
        const int extra = std::snprintf(nullptr, 0, first_tag_format, document_element_name);
        std::string line(static_cast<std::size_t>(extra), '\0');
        std::snprintf(line.data(), line.size() + 1, first_tag_format, document_element_name);
        report += line;
    }
    return report;
}

ElementRef load_xml_file_reported(const char* path, ParseResult& result) {
    result = ParseResult{parse_ok, 0, 0};
    ElementRef element = load_xml_file(path, &result);
    print_load_report(path, result);
    return element;
}

ElementRef load_xml_file_reported(const char* path, std::string& report) {
    ParseResult result{parse_ok, 0, 0};
    ElementRef element = load_xml_file_reported(path, result);
    report = format_load_report(path, result);
    return element;
}

ElementRef load_xml_file_reported(const char* path) {
    ParseResult result{parse_ok, 0, 0};
    return load_xml_file_reported(path, result);
}
