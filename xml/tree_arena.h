// Where a parse puts the records and strings of the tree it builds: large blocks handed out in
// order, with none of the allocator's per-block cost in time or memory. The blocks go back
// together, when the last element of the arena has been released.
#pragma once

#include <cstddef>
#include <cstring>

struct ArenaBlock;

// Handed out in order from the newest block of a list.
struct ArenaRegion {
    ArenaBlock* newest;
    char* next;
    char* end;

    // Starts a block with room for at least bytes; false when memory ran out.
    bool add_block(std::size_t bytes);
    char* take(std::size_t bytes) {
        if (static_cast<std::size_t>(end - next) < bytes && !add_block(bytes)) {
            return nullptr;
        }
        char* const taken = next;
        next += bytes;
        return taken;
    }
    bool owns(const char* p) const;
    void free_blocks();
};

struct TreeArena {
    long long holders;
    ArenaRegion records;
    ArenaRegion strings;
};

// Null when memory ran out. The caller holds the arena once.
TreeArena* new_tree_arena();
inline void hold_arena(TreeArena* arena) {
    ++arena->holders;
}
// Frees the arena with its blocks when nobody holds it any more.
void release_arena(TreeArena* arena);

// Records are aligned for pointers.
constexpr std::size_t arena_record_alignment = 8;

// Room for bytes, aligned for a record; null when memory ran out.
inline void* arena_record(TreeArena* arena, std::size_t bytes) {
    const std::size_t rounded =
        (bytes + arena_record_alignment - 1) / arena_record_alignment * arena_record_alignment;
    return arena->records.take(rounded);
}
// Room for a string of up to bytes characters with its NUL; null when memory ran out. The room
// past the string that the caller ends with arena_string_end goes back to the arena.
inline char* arena_string_room(TreeArena* arena, std::size_t bytes) {
    return arena->strings.take(bytes + 1);
}
inline void arena_string_end(TreeArena* arena, char* nul) {
    arena->strings.next = nul + 1;
}
// An owned copy of n characters in the arena; null when memory ran out.
inline char* arena_copy_span(TreeArena* arena, const char* start, int n) {
    const std::size_t length = n > 0 ? static_cast<std::size_t>(n) : 0;
    char* const copy = arena->strings.take(length + 1);
    if (copy != nullptr) {
        std::memcpy(copy, start, length);
        copy[length] = '\0';
    }
    return copy;
}

// Whether text lies in one of the arena's string blocks.
inline bool arena_owns(const TreeArena* arena, const char* text) {
    return arena->strings.owns(text);
}
