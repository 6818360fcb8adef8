#include "xml/tree_arena.h"

#include "xml/allocation.h"

#include <cstdlib>

struct ArenaBlock {
    ArenaBlock* previous;
    std::size_t bytes; // room after the header
};

namespace {

constexpr std::size_t block_header = (sizeof(ArenaBlock) + 15) / 16 * 16;
constexpr std::size_t first_block = std::size_t{16} * 1024;
// Blocks double up to this, so that a large tree wastes at most one block's unused end.
constexpr std::size_t largest_block = std::size_t{1024} * 1024;

char* room_of(ArenaBlock* block) {
    return reinterpret_cast<char*>(block) + block_header;
}

} // namespace

bool ArenaRegion::add_block(std::size_t bytes) {
    std::size_t size = newest == nullptr ? first_block : newest->bytes * 2;
    if (size > largest_block) {
        size = largest_block;
    }
    if (size < bytes) {
        size = bytes;
    }
    auto* const block = static_cast<ArenaBlock*>(xml_malloc(block_header + size));
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

bool ArenaRegion::owns(const char* p) const {
    for (ArenaBlock* block = newest; block != nullptr; block = block->previous) {
        const char* const room = room_of(block);
        if (p >= room && p < room + block->bytes) {
            return true;
        }
    }
    return false;
}

void ArenaRegion::free_blocks() {
    while (newest != nullptr) {
        ArenaBlock* const previous = newest->previous;
        std::free(newest);
        newest = previous;
    }
}

TreeArena* new_tree_arena() {
    auto* const arena = static_cast<TreeArena*>(xml_malloc(sizeof(TreeArena)));
    if (arena != nullptr) {
        *arena = TreeArena{1, {nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr}};
    }
    return arena;
}

void release_arena(TreeArena* arena) {
    if (--arena->holders > 0) {
        return;
    }
    arena->records.free_blocks();
    arena->strings.free_blocks();
    std::free(arena);
}
