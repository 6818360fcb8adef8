// Line breaks of paragraph texts and symbols, between the edit box and the file.
//
// A line break is an LF together with any CRs right before it: the edit box
// writes CR LF, files from other editors hold a bare LF, and files written by
// earlier versions of the program hold CR CR LF (their output stream added a
// CR to each CR LF on every save). A CR that no LF follows is an ordinary
// character and is kept.
//
// Saving writes every line break as CR LF, so every line of the file, inside
// texts too, ends with CR LF. Loading gives every line break of a text or
// symbol as CR LF, the form the edit box shows as a new line. A text saved
// from the edit box thus comes back byte for byte after any number of saves
// and loads; other texts settle after the first save (a bare LF becomes
// CR LF, CRs before an LF collapse into one).
#pragma once

#include <string>
#include <string_view>

// A text cut at its first line break.
struct FirstLine {
    std::string_view line; // without the line break; the whole text when it has none
    std::string_view rest; // what follows the line break
    bool broken = false;   // a line break ends the line
};

FirstLine split_first_line(std::string_view text);

// True when every line break of text is already a single CR LF, so that
// with_crlf_line_breaks would change nothing (the edit box's texts).
bool has_crlf_line_breaks_only(std::string_view text);

// Every line break as CR LF.
std::string with_crlf_line_breaks(std::string_view text);
