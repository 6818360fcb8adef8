// A sink that counts the bytes and keeps none: the writer's own time, without the disk.
#pragma once

#include "docfile/byte_sink.h"

#include <cstddef>
#include <string_view>

class CountingSink final : public ByteSink {
  public:
    bool write(std::string_view bytes) override {
        count += bytes.size();
        return true;
    }
    std::size_t count = 0;
};
