#include "xml/allocation.h"
#include "xml/loader.h"

#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Runs attempt with a cap of n allocations for n = 0, 1, 2, ... until the cap is no longer used
// up; gives how many caps were tried. The sanitizer reports whatever a failed attempt leaked.
long long under_every_cap(const std::function<void()>& attempt) {
    for (long long n = 0; n < 100000; ++n) {
        const AllocationLimitScope limit(n);
        attempt();
        if (!limit.exhausted()) {
            return n;
        }
    }
    ADD_FAILURE() << "never finished";
    return 0;
}

const char* const document = "<?xml version='1.0'?><body a=1 b><P symbol='s'>x &amp; y</P><!-- c -->"
                             "<Q/><R><S><T k=v>deep</T></S></R>tail\n<P>cut short";

std::string expected_body() {
    ParseResult result{};
    const ElementRef body = parse_document(document, &result);
    EXPECT_EQ(result.code, parse_ends_inside_element_warning);
    return written(body.get(), -1);
}

TEST(XmlMemory, ParseOutOfMemoryAtEveryAllocationIsCleanAndLeavesNothingBehind) {
    const std::string expected = expected_body();
    long long failures = 0;
    const long long caps = under_every_cap([&] {
        ParseResult result{-1, -1, -1};
        const ElementRef body = parse_document(document, &result);
        if (result.code == parse_out_of_memory) {
            ++failures;
            EXPECT_FALSE(body);
            EXPECT_EQ(result.line, 0);
            EXPECT_EQ(result.column, 0);
        } else {
            EXPECT_EQ(result.code, parse_ends_inside_element_warning);
            EXPECT_EQ(written(body.get(), -1), expected);
        }
    });
    EXPECT_EQ(failures, caps - 1); // the cap it needs exactly, and one more, succeed
    EXPECT_GT(caps, 20);
    EXPECT_EQ(expected_body(), expected); // and the next parse without a cap is right
}

// A tree built as the document file builds its own; false when any step ran out of memory.
bool build_document(ElementRef& root) {
    const BlockGrowthScope growth;
    root = new_document_root();
    const ElementRef declaration = append_child(root.get(), copy_string("xml"), true);
    if (!declaration || !append_attribute(declaration.get(), copy_string("version"), copy_string("1.0"))) {
        return false;
    }
    const ElementRef body = append_child(declaration.get(), copy_string("body"), false);
    bool complete = static_cast<bool>(body);
    for (int i = 0; i < 60 && complete; ++i) {
        const ElementRef p = append_child(body.get(), copy_string("P"), false);
        complete = p && append_text(p.get(), copy_string("t&")) &&
                   append_attribute(p.get(), copy_string("symbol"), copy_string("s"));
        compact_element(p.get());
    }
    compact_element(body.get());
    compact_element(declaration.get());
    compact_element(root.get());
    return complete;
}

TEST(XmlMemory, BuildingOutOfMemoryAtEveryAllocationReportsFailure) {
    ElementRef full;
    ASSERT_TRUE(build_document(full));
    const std::string expected = written(full.get(), 0);
    long long failures = 0;
    const long long caps = under_every_cap([&] {
        ElementRef root;
        if (build_document(root)) {
            EXPECT_EQ(written(root.get(), 0), expected);
        } else {
            ++failures;
        }
    });
    // A trim that fails keeps the larger block, and the build still succeeds.
    EXPECT_GT(failures, 60);
}

TEST(XmlMemory, LoadOutOfMemoryAtEveryAllocation) {
    for (const std::string& bytes : {std::string(document), utf16le(document, true)}) {
        const TempFile file("memory.html", bytes);
        const long long caps = under_every_cap([&] {
            ParseResult result{};
            const ElementRef body = load_xml_file(file.path(), &result);
            EXPECT_TRUE(result.code == parse_out_of_memory ||
                        result.code == parse_ends_inside_element_warning);
            EXPECT_EQ(static_cast<bool>(body), result.code != parse_out_of_memory);
        });
        EXPECT_GT(caps, 20);
    }
}

} // namespace
