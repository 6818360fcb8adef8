#include "xml/parser.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#endif

namespace {

std::string nested(int depth) {
    std::string text;
    text.reserve(static_cast<std::size_t>(depth) * 7);
    for (int i = 0; i < depth; ++i) {
        text += "<a>";
    }
    for (int i = 0; i < depth; ++i) {
        text += "</a>";
    }
    return text;
}

std::string nested_body(int depth) {
    return "<body>" + nested(depth - 1) + "</body>";
}

struct DepthCase {
    std::string input;
    ParseResult result;
    bool found;
};

void run_parse(DepthCase& c) {
    c.result = ParseResult{-1, -1, -1};
    c.found = static_cast<bool>(parse_document(c.input.c_str(), &c.result));
}

TEST(XmlDepth, DeepestAcceptedNestingParses) {
    DepthCase c{nested_body(max_nesting_depth), {}, false};
    run_parse(c);
    EXPECT_EQ(c.result.code, 0);
    EXPECT_TRUE(c.found);
}

TEST(XmlDepth, OneLevelDeeperIsRefused) {
    DepthCase c{nested_body(max_nesting_depth + 1), {}, false};
    run_parse(c);
    EXPECT_EQ(c.result.code, parse_nested_too_deeply);
    EXPECT_EQ(c.result.line, 1);
    // Just after the name of the element one level too deep: "<body>" then "<a>" per level.
    EXPECT_EQ(c.result.column, 6 + 3 * (max_nesting_depth - 1) + 3);
    EXPECT_FALSE(c.found);
}

TEST(XmlDepth, AMillionNestedElementsAreRefused) {
    DepthCase c{nested(1000000), {}, false};
    run_parse(c);
    EXPECT_EQ(c.result.code, parse_nested_too_deeply);
    EXPECT_EQ(c.result.column, 3 * max_nesting_depth + 3);
    EXPECT_FALSE(c.found);
}

#ifdef _WIN32
unsigned __stdcall parse_on_thread(void* argument) {
    run_parse(*static_cast<DepthCase*>(argument));
    return 0;
}

// The application thread is started with a requested stack of 4096 bytes; the parse must not
// overflow there.
void run_on_small_stack(DepthCase& c) {
    const auto handle =
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 4096, parse_on_thread, &c, 0, nullptr));
    ASSERT_NE(handle, nullptr);
    WaitForSingleObject(handle, INFINITE);
    DWORD exit_code = 1;
    GetExitCodeThread(handle, &exit_code);
    CloseHandle(handle);
    EXPECT_EQ(exit_code, 0u);
}

TEST(XmlDepth, AMillionNestedElementsOnASmallStackThread) {
    DepthCase c{nested(1000000), {}, false};
    run_on_small_stack(c);
    EXPECT_EQ(c.result.code, parse_nested_too_deeply);
    EXPECT_FALSE(c.found);
}

// Size of the calling thread's stack reservation and the address of its lowest byte.
struct StackReservation {
    char* base;
    std::size_t size;
};

StackReservation stack_reservation() {
    MEMORY_BASIC_INFORMATION here{};
    VirtualQuery(&here, &here, sizeof here);
    auto* const base = static_cast<char*>(here.AllocationBase);
    char* const top = static_cast<char*>(here.BaseAddress) + here.RegionSize;
    return {base, static_cast<std::size_t>(top - base)};
}

constexpr unsigned char paint = 0xA5;
constexpr std::size_t painted_bytes = 1024 * 1024;

// Fills the unused stack below the caller with a pattern, top down (the order in which the
// system lets a stack grow), so that the deepest byte a later call writes can be found.
__attribute__((noinline)) void paint_stack_below(volatile unsigned char* from) {
    for (std::size_t i = 4096; i < painted_bytes; ++i)
        from[-static_cast<std::ptrdiff_t>(i)] = paint;
}

__attribute__((noinline)) std::size_t stack_used_below(const volatile unsigned char* from) {
    std::size_t i = painted_bytes - 1;
    while (i > 4096 && from[-static_cast<std::ptrdiff_t>(i)] == paint)
        --i;
    return i;
}

struct StackUse {
    StackReservation reservation;
    std::size_t used;
    ParseResult result;
};

unsigned __stdcall measure_deepest_parse(void* argument) {
    auto& use = *static_cast<StackUse*>(argument);
    use.reservation = stack_reservation();
    const std::string input = nested_body(max_nesting_depth);
    volatile unsigned char marker = 0;
    paint_stack_below(&marker);
    use.result = ParseResult{-1, -1, -1};
    parse_document(input.c_str(), &use.result);
    use.used = stack_used_below(&marker);
    return 0;
}

TEST(XmlDepth, SmallStackThreadHoldsTheDeepestParseWithMargin) {
    StackUse use{};
    const auto handle =
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 4096, measure_deepest_parse, &use, 0, nullptr));
    ASSERT_NE(handle, nullptr);
    WaitForSingleObject(handle, INFINITE);
    CloseHandle(handle);
    ASSERT_EQ(use.result.code, 0);
    std::printf("thread requested with a 4096-byte stack: %zu bytes reserved; parse (and release) at "
                "depth %d used %zu bytes of stack, about %zu per level\n",
                use.reservation.size, max_nesting_depth, use.used, use.used / max_nesting_depth);
    EXPECT_GE(use.reservation.size, 2 * painted_bytes);
    // The parse, its release and the write recurse once per level; keep them under a quarter
    // of the reservation.
    EXPECT_GT(use.used, 4096u);
    EXPECT_LT(use.used * 4, use.reservation.size);
}

TEST(XmlDepth, DeepestAcceptedNestingOnASmallStackThread) {
    DepthCase c{nested_body(max_nesting_depth), {}, false};
    run_on_small_stack(c);
    EXPECT_EQ(c.result.code, 0);
    EXPECT_TRUE(c.found);
}
#endif

} // namespace
