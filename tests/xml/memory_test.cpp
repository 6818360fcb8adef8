#include "xml/allocation.h"
#include "xml/loader.h"

#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Runs attempt with a cap of n allocations for n = 0, 1, 2, ... until the cap is no longer used
// up, and counts the attempts that ran out. The sanitizer reports whatever one of them leaked.
struct Caps {
    long long tried = 0;
    long long failed = 0;
};
Caps under_every_cap(const std::function<bool()>& ran_out) {
    Caps caps;
    for (bool exhausted = true; exhausted && caps.tried < 100000; ++caps.tried) {
        const AllocationLimitScope limit(caps.tried);
        caps.failed += ran_out() ? 1 : 0;
        exhausted = limit.exhausted();
    }
    return caps;
}

const char* const document = "<?xml version='1.0'?><body a=1 b><P symbol='s'>x &amp; y</P><!-- c -->"
                             "<Q/><R><S><T k=v>deep</T></S></R>tail\n<P>cut short";

TEST(XmlMemory, ParseOrLoadOutOfMemoryAtEveryAllocationIsCleanAndChangesNothingAfter) {
    ParseResult full{};
    const std::string expected = written(parse_document(document, &full).get(), -1);
    ASSERT_EQ(full.code, parse_ends_inside_element_warning);
    const TempFile utf16("memory.html", utf16le(document, true));
    for (const char* path : {static_cast<const char*>(nullptr), utf16.path()}) {
        const Caps caps = under_every_cap([&] {
            ParseResult result{-1, -1, -1};
            const ElementRef body =
                path != nullptr ? load_xml_file(path, &result) : parse_document(document, &result);
            if (result.code == parse_out_of_memory) {
                EXPECT_FALSE(body);
                EXPECT_EQ(result.line + result.column, 0);
                return true;
            }
            EXPECT_EQ(result.code, full.code);
            EXPECT_EQ(written(body.get(), -1), expected);
            return false;
        });
        EXPECT_EQ(caps.failed, caps.tried - 2) << "the cap it needs exactly, and one more, succeed";
        EXPECT_GT(caps.failed, 20);
    }
}

TEST(XmlMemory, BuildingOutOfMemoryAtEveryAllocationReportsFailure) {
    ElementRef full;
    ASSERT_TRUE(build_document(full, "t&", "s", 60));
    const std::string expected = written(full.get(), 0);
    const Caps caps = under_every_cap([&] {
        ElementRef root;
        const bool built = build_document(root, "t&", "s", 60);
        EXPECT_TRUE(!built || written(root.get(), 0) == expected);
        return !built;
    });
    EXPECT_GT(caps.failed, 60); // a trim that fails keeps the larger block: the build succeeds
}

} // namespace
