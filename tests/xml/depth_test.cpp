#include "xml/parser.h"
#include "xml/writer.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#endif

namespace {

struct DepthCase {
    std::string input;
    int code;
    int column; // for errors
    ParseResult result;
    bool found;
};

// Parses, writes what was found (recursing as deep as the parse) and releases it.
unsigned parse_and_write(void* argument) {
    auto& c = *static_cast<DepthCase*>(argument);
    c.result = ParseResult{-1, -1, -1};
    const ElementRef body = parse_document(c.input.c_str(), &c.result);
    c.found = body && write_element(body.get(), nullptr, 0) > 0;
    return 0;
}

#ifdef _WIN32
unsigned __stdcall parse_on_thread(void* argument) {
    return parse_and_write(argument);
}

// On a thread started like the application thread: a requested stack of 4096 bytes, the
// platform's minimum. Running out of stack ends the thread with an exception code.
void run(DepthCase& c) {
    const auto handle =
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 4096, parse_on_thread, &c, 0, nullptr));
    ASSERT_NE(handle, nullptr);
    WaitForSingleObject(handle, INFINITE);
    DWORD exit_code = 1;
    GetExitCodeThread(handle, &exit_code);
    CloseHandle(handle);
    EXPECT_EQ(exit_code, 0u);
}
#else
void run(DepthCase& c) {
    parse_and_write(&c);
}
#endif

TEST(XmlDepth, NestingIsLimitedAndTheDeepestTreeFitsASmallStack) {
    std::string deepest = "<body>";
    std::string closing = "</body>";
    for (int i = 1; i < max_nesting_depth; ++i) {
        deepest += "<a>";
        closing.insert(0, "</a>");
    }
    DepthCase cases[] = {
        {deepest + closing, parse_ok, 0, {}, false},
        {deepest + "x", parse_ends_inside_element_warning, 0, {}, false},
        {deepest + "<a>", parse_nested_too_deeply, 6 + 3 * max_nesting_depth, {}, false}, // after the name
    };
    for (DepthCase& c : cases) {
        run(c);
        EXPECT_EQ(c.result.code, c.code);
        EXPECT_EQ(c.found, parse_keeps_tree(c.code));
        EXPECT_TRUE(c.found || c.result.column == c.column) << c.result.column;
    }
}

} // namespace
