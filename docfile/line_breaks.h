// Line breaks of paragraph texts and symbols, between the edit box and the file.
//
// A line break is an LF together with any CRs right before it: the edit box
// writes CR LF, files from other editors hold a bare LF, and files written by
// earlier versions of the program hold CR CR LF (their output stream added a
// CR to each CR LF on every save). A CR that no LF follows is an ordinary
// character and is kept.
//
// Saving: the tree holds every line break as one LF, and the file holds every
// LF as CR LF (so every line of the file, inside texts too, ends with CR LF).
// Loading: every line break of a text or symbol becomes CR LF, the form the
// edit box shows as a new line. A text saved from the edit box thus comes back
// byte for byte after any number of saves and loads; other texts settle after
// the first save (a bare LF becomes CR LF, CRs before an LF collapse into one).
#pragma once

#include <string>
#include <string_view>

// Every line break as one LF.
std::string with_lf_line_breaks(std::string_view text);
// Every line break as CR LF.
std::string with_crlf_line_breaks(std::string_view text);
// Every LF preceded by a CR; nothing else changes (for text whose line breaks
// are already single LFs).
std::string with_crlf_line_ends(std::string_view text);
