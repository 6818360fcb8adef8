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

// Every kind of content many times over, in one element and nested many levels deep: more than
// twice the first block of any array that the parser or the tree grows, so that each array
// grows again after its first allocation and running out of memory is tried at every growth.
constexpr int every_kind = 101;

std::string document_of_every_kind() {
    std::string text = "<?xml version='1.0'?><body";
    for (int i = 0; i < every_kind; ++i) {
        text += " a" + std::to_string(i) + "='v&amp;'";
    }
    text += ">";
    for (int i = 0; i < every_kind; ++i) {
        text += "t&lt;" + std::to_string(i) + "<!-- c --><e k=v>x</e>";
    }
    for (int i = 0; i < every_kind; ++i) {
        text += "<n>";
    }
    return text + "cut short";
}

// The same kinds in a tree built under block growth, as the document file builds its own.
bool build_every_kind(ElementRef& root) {
    const BlockGrowthScope growth;
    root = new_document_root();
    const ElementRef e = append_child(root.get(), copy_string("e"), false);
    bool complete = static_cast<bool>(e);
    for (int i = 0; i < every_kind && complete; ++i) {
        complete = append_child(e.get(), copy_string("c"), false) &&
                   append_text(e.get(), copy_string("t&")) &&
                   append_attribute(e.get(), copy_string("k"), copy_string("v")) &&
                   append_verbatim_block(e.get(), copy_string("b"), "<!--", "-->");
    }
    compact_element(e.get());
    compact_element(root.get());
    return complete;
}

TEST(XmlMemory, ParseOrLoadOutOfMemoryAtEveryAllocationIsCleanAndChangesNothingAfter) {
    const std::string document = document_of_every_kind();
    ParseResult full{};
    const std::string expected = written(parse_document(document.c_str(), &full).get(), -1);
    ASSERT_EQ(full.code, parse_ends_inside_element_warning);
    const TempFile utf16("memory.html", utf16le(document, true));
    for (const char* path : {static_cast<const char*>(nullptr), utf16.path()}) {
        const Caps caps = under_every_cap([&] {
            ParseResult result{-1, -1, -1};
            const ElementRef body =
                path != nullptr ? load_xml_file(path, &result) : parse_document(document.c_str(), &result);
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
        EXPECT_GT(caps.failed, every_kind * 4);
    }
}

TEST(XmlMemory, BuildingOutOfMemoryAtEveryAllocationReportsFailure) {
    ElementRef full;
    ASSERT_TRUE(build_every_kind(full));
    const std::string expected = written(full.get(), 0);
    const Caps caps = under_every_cap([&] {
        ElementRef root;
        const bool built = build_every_kind(root);
        EXPECT_TRUE(!built || written(root.get(), 0) == expected);
        return !built;
    });
    EXPECT_GT(caps.failed, every_kind * 4); // a trim that fails keeps the larger block: the build succeeds
}

} // namespace
