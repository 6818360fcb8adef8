#include "xml/utf16.h"

bool is_certainly_8bit_markup(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) {
        ++i;
    }
    if (i == bytes.size() || bytes[i] != '<') {
        return false;
    }
    return bytes.find('\0') == std::string::npos;
}
