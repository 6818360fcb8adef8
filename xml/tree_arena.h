// Where a parse puts the records and strings of the tree it builds: large blocks handed out in
// order, with none of the allocator's per-block cost in time or memory. The blocks go back
// together, when the last element of the arena has been released.
#pragma once

#include <cstddef>

struct TreeArena;

// Null when memory ran out. The caller holds the arena once.
TreeArena* new_tree_arena();
void hold_arena(TreeArena* arena);
// Frees the arena with its blocks when nobody holds it any more.
void release_arena(TreeArena* arena);

// Room for bytes, aligned for a record; null when memory ran out.
void* arena_record(TreeArena* arena, std::size_t bytes);
// Room for a string of up to bytes characters with its NUL; null when memory ran out. The room
// past the string that the caller ends with arena_string_end goes back to the arena.
char* arena_string_room(TreeArena* arena, std::size_t bytes);
void arena_string_end(TreeArena* arena, char* nul);
// An owned copy of n characters in the arena; null when memory ran out.
char* arena_copy_span(TreeArena* arena, const char* start, int n);

// Whether text lies in one of the arena's blocks.
bool arena_owns(const TreeArena* arena, const char* text);
