#include "docfile/line_breaks.h"

#include <algorithm>

FirstLine split_first_line(std::string_view text) {
    const std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos) {
        return {text, {}, false};
    }
    std::size_t end = lf;
    while (end > 0 && text[end - 1] == '\r') {
        --end; // CRs right before the LF are part of the line break
    }
    return {text.substr(0, end), text.substr(lf + 1), true};
}

bool has_crlf_line_breaks_only(std::string_view text) {
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', lf + 1)) {
        if (lf == 0 || text[lf - 1] != '\r' || (lf >= 2 && text[lf - 2] == '\r')) {
            return false;
        }
    }
    return true;
}

std::string with_crlf_line_breaks(std::string_view text) {
    if (text.find('\n') == std::string_view::npos) {
        return std::string(text); // the common case: a single line
    }
    std::string out;
    out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    for (FirstLine split{{}, text, true}; split.broken;) {
        split = split_first_line(split.rest);
        out += split.line;
        if (split.broken) {
            out += "\r\n";
        }
    }
    return out;
}
