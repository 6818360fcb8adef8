#include "docfile/line_breaks.h"

#include <algorithm>

namespace {

// Copies text with each line break replaced by `line_break`.
std::string replace_line_breaks(std::string_view text, std::string_view line_break) {
    if (text.find('\n') == std::string_view::npos)
        return std::string(text); // the common case: a single line
    std::string out;
    out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    std::size_t pending_crs = 0; // CRs seen but not yet written: they may belong to a line break
    for (const char c : text) {
        if (c == '\r') {
            ++pending_crs;
            continue;
        }
        if (c == '\n') {
            out += line_break;
        } else {
            out.append(pending_crs, '\r');
            out += c;
        }
        pending_crs = 0;
    }
    out.append(pending_crs, '\r');
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
