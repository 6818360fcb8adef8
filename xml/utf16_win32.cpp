// The platform's UTF-16 detection and conversion to the ANSI code page.
#include "xml/allocation.h"
#include "xml/utf16_conversion.h"

#include <windows.h>

#include <utility>

Utf16Conversion convert_utf16_to_ansi(LoadedText& text) {
    // The platform heuristic can take 8-bit text for UTF-16 (even length, letter pairs that
    // read as CJK code units); a file that starts with markup and has no NUL byte is 8-bit.
    const char* const bytes = text.bytes.get();
    if (is_certainly_8bit_markup(bytes, text.size) || text.size < 2) {
        return Utf16Conversion::not_utf16;
    }
    if (!IsTextUnicode(bytes, static_cast<int>(text.size), nullptr)) {
        return Utf16Conversion::not_utf16;
    }
    const auto* const units = reinterpret_cast<const wchar_t*>(bytes);
    const int unit_count = static_cast<int>(text.size / 2);
    const int measured = WideCharToMultiByte(CP_ACP, 0, units, unit_count, nullptr, 0, nullptr, nullptr);
    const int length = measured > 0 ? measured : 0;
    LoadedText converted;
    converted.bytes.reset(static_cast<char*>(xml_malloc(static_cast<std::size_t>(length) + 1)));
    if (!converted.bytes) {
        return Utf16Conversion::out_of_memory;
    }
    const int written = length > 0 ? WideCharToMultiByte(CP_ACP, 0, units, unit_count, converted.bytes.get(),
                                                         length, nullptr, nullptr)
                                   : 0;
    converted.size = static_cast<std::size_t>(written > 0 ? written : 0);
    converted.bytes.get()[converted.size] = '\0';
    text = std::move(converted);
    return Utf16Conversion::converted;
}
