// Where the bytes of a file go as they are made, piece by piece: the file
// being saved, or a string in the tests.
#pragma once

#include <string_view>

class ByteSink {
  public:
    // Takes the next piece. False when it could not, and from then on: what
    // follows is not wanted, and the writer may stop.
    virtual bool write(std::string_view bytes) = 0;

  protected:
    ByteSink() = default;
    ByteSink(const ByteSink&) = default;
    ByteSink& operator=(const ByteSink&) = default;
    ByteSink(ByteSink&&) = default;
    ByteSink& operator=(ByteSink&&) = default;
    ~ByteSink() = default;
};
