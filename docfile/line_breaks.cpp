#include "docfile/line_breaks.h"

#include <algorithm>

namespace {

// Copies text with each line break replaced by `line_break`.
std::string replace_line_breaks(std::string_view text, std::string_view line_break) {
    std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos) {
        return std::string(text); // the common case: a single line
    }
    std::string out;
    out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    std::size_t start = 0;
    for (; lf != std::string_view::npos; lf = text.find('\n', start)) {
        std::size_t end = lf;
        while (end > start && text[end - 1] == '\r') {
            --end; // CRs right before the LF are part of the line break
        }
        out.append(text, start, end - start);
        out += line_break;
        start = lf + 1;
    }
    out.append(text, start);
    return out;
}

} // namespace

std::string with_lf_line_breaks(std::string_view text) {
    return replace_line_breaks(text, "\n");
}

std::string with_crlf_line_breaks(std::string_view text) {
    return replace_line_breaks(text, "\r\n");
}

std::string with_crlf_line_ends(std::string_view text) {
    std::string out;
    out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
        out.append(text, start, lf - start);
        out += "\r\n";
        start = lf + 1;
    }
    out.append(text, start);
    return out;
}
