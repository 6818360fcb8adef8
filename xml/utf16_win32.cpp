// The platform's UTF-16 detection and conversion to the ANSI code page.
#include "xml/utf16.h"

#include <windows.h>

#include <utility>

bool convert_utf16_to_ansi(std::string& bytes) {
    // The platform heuristic can take 8-bit text for UTF-16 (even length, letter pairs that
    // read as CJK code units); a file that starts with markup and has no NUL byte is 8-bit.
    if (is_certainly_8bit_markup(bytes) || bytes.size() < 2) {
        return false;
    }
    if (!IsTextUnicode(bytes.data(), static_cast<int>(bytes.size()), nullptr)) {
        return false;
    }
    const auto* const units = reinterpret_cast<const wchar_t*>(bytes.data());
    const int unit_count = static_cast<int>(bytes.size() / 2);
    const int length = WideCharToMultiByte(CP_ACP, 0, units, unit_count, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        WideCharToMultiByte(CP_ACP, 0, units, unit_count, text.data(), length, nullptr, nullptr);
    }
    bytes = std::move(text);
    return true;
}
