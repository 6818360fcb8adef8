#include "xml/parser.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#endif

namespace {

std::string nested(int depth) {
    std::string text;
    text.reserve(static_cast<std::size_t>(depth) * 7);
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    for (int i = 0; i < depth; ++i)
        text += "</a>";
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

TEST(XmlDepth, DeepestAcceptedNestingOnASmallStackThread) {
    DepthCase c{nested_body(max_nesting_depth), {}, false};
    run_on_small_stack(c);
    EXPECT_EQ(c.result.code, 0);
    EXPECT_TRUE(c.found);
}
#endif

} // namespace
