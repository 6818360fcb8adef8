// The program's XML parser and writer, and three XML libraries, behind one face: parse a text
// into a tree that stays, write that tree, drop it. The libraries are used here only; the
// program never links them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

class Contender {
  public:
    virtual ~Contender() = default;
    virtual const char* name() const = 0;
    // Parses text and keeps the tree (when the contender builds one); false on failure.
    virtual bool parse(const std::string& text) = 0;
    virtual bool writes() const { return true; }
    // Writes the kept tree, formatted with tabs, into memory; the number of bytes written.
    virtual std::size_t write() = 0;
    virtual void drop() = 0;
};

std::unique_ptr<Contender> make_norvane();
std::unique_ptr<Contender> make_pugixml();
std::unique_ptr<Contender> make_tinyxml2();
std::unique_ptr<Contender> make_expat(); // builds no tree and does not write
