// Stand-in for the platform's UTF-16 detection and conversion, where Win32 is not available:
// little-endian UTF-16 is recognised by its byte order mark, or by a majority of code units
// whose high byte is zero; it is converted to Windows-1252, the usual ANSI code page.
#include "xml/allocation.h"
#include "xml/utf16_conversion.h"

#include <cstdint>
#include <utility>

namespace {

// Code points of the bytes 0x80 to 0x9F in Windows-1252; 0 where the byte is unassigned.
constexpr std::uint16_t cp1252_high[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char to_cp1252(std::uint32_t code_point) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
        return static_cast<char>(code_point);
    }
    for (int i = 0; i < 32; ++i) {
        if (cp1252_high[i] != 0 && cp1252_high[i] == code_point) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

std::uint16_t unit_at(const char* bytes, std::size_t i) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                      (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
}

bool looks_like_utf16le(const char* bytes, std::size_t size) {
    if (size < 2 || size % 2 != 0) {
        return false;
    }
    const std::size_t units = size / 2;
    if (unit_at(bytes, 0) == 0xFEFF) {
        return true;
    }
    std::size_t narrow = 0;
    for (std::size_t i = 0; i < units; ++i) {
        if (bytes[2 * i + 1] == '\0' && bytes[2 * i] != '\0') {
            ++narrow;
        }
    }
    return narrow > units / 2;
}

} // namespace

Utf16Conversion convert_utf16_to_ansi(LoadedText& text) {
    const char* const bytes = text.bytes.get();
    if (is_certainly_8bit_markup(bytes, text.size) || !looks_like_utf16le(bytes, text.size)) {
        return Utf16Conversion::not_utf16;
    }
    const std::size_t units = text.size / 2;
    LoadedText converted;
    converted.bytes.reset(static_cast<char*>(xml_malloc(units + 1)));
    if (!converted.bytes) {
        return Utf16Conversion::out_of_memory;
    }
    char* out = converted.bytes.get();
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint16_t unit = unit_at(bytes, i);
        const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units &&
                          unit_at(bytes, i + 1) >= 0xDC00 && unit_at(bytes, i + 1) <= 0xDFFF;
        if (pair) {
            ++i; // one character outside the code page, one replacement
        }
        *out++ = pair ? '?' : to_cp1252(unit);
    }
    *out = '\0';
    converted.size = static_cast<std::size_t>(out - converted.bytes.get());
    text = std::move(converted);
    return Utf16Conversion::converted;
}
