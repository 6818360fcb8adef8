#include "xml/tree_arena.h"

#include "xml/allocation.h"

#include <cstdlib>
#include <cstring>

namespace {

struct Block {
    Block* previous;
    std::size_t bytes; // room after the header
};

constexpr std::size_t block_header = (sizeof(Block) + 15) / 16 * 16;
constexpr std::size_t first_block = 16 * 1024;
// Blocks double up to this, so that a large tree wastes at most one block's unused end.
constexpr std::size_t largest_block = 1024 * 1024;
constexpr std::size_t record_alignment = alignof(std::max_align_t) < 8 ? alignof(std::max_align_t) : 8;

char* room_of(Block* block) {
    return reinterpret_cast<char*>(block) + block_header;
}

// Handed out in order from the newest block of a list.
struct Region {
    Block* newest = nullptr;
    char* next = nullptr;
    char* end = nullptr;

    // Starts a block with room for at least bytes; false when memory ran out.
    bool add_block(std::size_t bytes) {
        std::size_t size = newest == nullptr ? first_block : newest->bytes * 2;
        if (size > largest_block) {
            size = largest_block;
        }
        if (size < bytes) {
            size = bytes;
        }
        auto* const block = static_cast<Block*>(xml_malloc(block_header + size));
        if (block == nullptr) {
            return false;
        }
        block->previous = newest;
        block->bytes = size;
        newest = block;
        next = room_of(block);
        end = next + size;
        return true;
    }
    char* take(std::size_t bytes) {
        if (static_cast<std::size_t>(end - next) < bytes && !add_block(bytes)) {
            return nullptr;
        }
        char* const taken = next;
        next += bytes;
        return taken;
    }
    bool owns(const char* p) const {
        for (Block* block = newest; block != nullptr; block = block->previous) {
            const char* const room = room_of(block);
            if (p >= room && p < room + block->bytes) {
                return true;
            }
        }
        return false;
    }
    void free_blocks() {
        while (newest != nullptr) {
            Block* const previous = newest->previous;
            std::free(newest);
            newest = previous;
        }
    }
};

} // namespace

struct TreeArena {
    long long holders;
    Region records;
    Region strings;
};

TreeArena* new_tree_arena() {
    auto* const arena = static_cast<TreeArena*>(xml_malloc(sizeof(TreeArena)));
    if (arena != nullptr) {
        *arena = TreeArena{1, {}, {}};
    }
    return arena;
}

void hold_arena(TreeArena* arena) {
    ++arena->holders;
}

void release_arena(TreeArena* arena) {
    if (--arena->holders > 0) {
        return;
    }
    arena->records.free_blocks();
    arena->strings.free_blocks();
    std::free(arena);
}

void* arena_record(TreeArena* arena, std::size_t bytes) {
    const std::size_t rounded = (bytes + record_alignment - 1) / record_alignment * record_alignment;
    return arena->records.take(rounded);
}

char* arena_string_room(TreeArena* arena, std::size_t bytes) {
    return arena->strings.take(bytes + 1);
}

void arena_string_end(TreeArena* arena, char* nul) {
    arena->strings.next = nul + 1;
}

char* arena_copy_span(TreeArena* arena, const char* start, int n) {
    const std::size_t length = n > 0 ? static_cast<std::size_t>(n) : 0;
    char* const copy = arena->strings.take(length + 1);
    if (copy != nullptr) {
        std::memcpy(copy, start, length);
        copy[length] = '\0';
    }
    return copy;
}

bool arena_owns(const TreeArena* arena, const char* text) {
    return arena->strings.owns(text);
}
