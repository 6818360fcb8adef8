#include "xml/element.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

std::vector<int> content_order_of(const Element* e) {
    return std::vector<int>(e->content_order, e->content_order + content_count(e));
}

TEST(XmlElement, ContentOrderRecordsTheInterleavingAndNullsStoreNothing) {
    const ElementRef root = new_document_root();
    const ElementRef first = append_child(root.get(), copy_string("a"), false);
    append_text(root.get(), copy_string("t"));
    append_attribute(root.get(), copy_string("k"), nullptr);
    append_verbatim_block(root.get(), copy_string("c"), "<!--", "-->");
    const ElementRef second = append_child(root.get(), copy_string("b"), false);
    EXPECT_FALSE(append_child(root.get(), nullptr, false));
    EXPECT_EQ(append_attribute(root.get(), nullptr, copy_string("v")), nullptr); // the value is freed
    EXPECT_EQ(append_text(root.get(), nullptr), nullptr);
    EXPECT_EQ(content_order_of(root.get()), (std::vector<int>{0, 2, 1, 3, 4}));
    EXPECT_EQ(second->references, 2); // the array's and the caller's
    // Without an element the strings handed over are freed (the sanitizer sees any leak).
    EXPECT_FALSE(append_child(nullptr, copy_string("a"), false));
    EXPECT_EQ(append_text(nullptr, copy_string("t")), nullptr);
}

TEST(XmlElement, LookupsIgnoreAsciiCaseOnly) {
    const ElementRef root = new_document_root();
    for (const char* name : {"symbol", "other", "SYMBOL", "Symbol", "symbol\xC9"}) {
        append_attribute(root.get(), copy_string(name), name[1] == 'Y' ? nullptr : copy_string(name));
        append_child(root.get(), copy_string(name), false);
    }
    EXPECT_STREQ(attribute_value_named(root.get(), "symbol", 0), "symbol");
    EXPECT_EQ(attribute_value_named(root.get(), "symbol", 1), nullptr); // found, without value
    EXPECT_STREQ(attribute_value_named(root.get(), "symbol", 2), "Symbol");
    EXPECT_EQ(attribute_value_named(root.get(), "symbol", 3), nullptr);
    EXPECT_EQ(attribute_value_named(root.get(), "symbol\xE9", 0), nullptr);
    EXPECT_EQ(count_children_named(root, "symbol"), 3);
    EXPECT_FALSE(child_at(root, -1));
    EXPECT_FALSE(child_at(root, 5));
    EXPECT_STREQ(child_at(root, 4)->name, "symbol\xC9");
    // The first and last letters fold; the bytes next to them do not.
    EXPECT_TRUE(names_equal("AZ", "az"));
    EXPECT_FALSE(names_equal("@", "`"));
    EXPECT_FALSE(names_equal("[", "{"));
}

TEST(XmlElement, HeldChildOutlivesItsTreeAndUnlinkingKeepsTheParentConsistent) {
    ElementRef root = new_document_root();
    const ElementRef kept = append_child(root.get(), copy_string("a"), false);
    append_text(root.get(), copy_string("t"));
    release_element(append_child(root.get(), copy_string("b"), false).get()); // one release too many
    append_text(append_child(root.get(), copy_string("c"), false).get(), copy_string("u"));
    ASSERT_EQ(root->child_count, 2);
    EXPECT_EQ(content_order_of(root.get()), (std::vector<int>{0, 2, 4}));
    ElementRef alias = root;
    alias = alias; // assigning a handle to itself changes nothing
    root = ElementRef();
    alias = child_at(alias, 1); // the tree goes while its child is taken
    EXPECT_EQ(kept->parent, nullptr);
    EXPECT_EQ(alias->parent, nullptr);
    EXPECT_STREQ(first_text(alias.get()), "u");
}

// Adding to an element stays within its arrays whatever growth sized them: built exactly and
// then added to under block growth, built in blocks and then added to exactly, trimmed and then
// grown again (the sanitizer reports any write past an array).
TEST(XmlElement, AddsStayWithinTheArraysWhateverTheOrderOfBuildingScopesAndTrimming) {
    struct Step {
        bool in_scope;
        int adds;
        bool compact; // at the end of the step, inside its scope if it has one
    };
    const struct {
        const char* order;
        std::vector<Step> steps;
    } cases[] = {
        {"exact, then blocks", {{false, 1, false}, {true, 3, false}}},
        {"blocks, trimmed, then blocks", {{true, 3, true}, {true, 3, false}}},
        {"blocks, then exact", {{true, 3, false}, {false, 3, false}}},
        {"blocks, trimmed, then exact", {{true, 3, true}, {false, 3, false}}},
        {"blocks past a boundary, trimmed, then blocks", {{true, 49, true}, {true, 2, true}}},
        {"mixed past several boundaries",
         {{false, 60, false}, {true, 60, true}, {false, 1, true}, {true, 120, false}, {false, 2, false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        const ElementRef root = new_document_root();
        const ElementRef a = append_child(root.get(), copy_string("a"), false);
        int added = 0;
        for (const Step& step : c.steps) {
            std::optional<BlockGrowthScope> growth;
            if (step.in_scope) {
                growth.emplace();
                const BlockGrowthScope nested; // ending it leaves the outer one in force
            }
            for (int i = 0; i < step.adds; ++i, ++added) {
                append_child(a.get(), copy_string("c"), false);
                append_text(a.get(), copy_string("t"));
                append_attribute(a.get(), copy_string("k"), nullptr);
                append_verbatim_block(a.get(), copy_string("b"), "<!--", "-->");
                append_child(root.get(), copy_string("r"), false);
            }
            if (step.compact) {
                compact_element(a.get());
                compact_element(root.get());
            }
        }
        std::vector<int> expected;
        for (int i = 0; i < added; ++i) {
            expected.insert(expected.end(), {i * 4 + content_child, i * 4 + content_text,
                                             i * 4 + content_attribute, i * 4 + content_block});
        }
        EXPECT_EQ(content_order_of(a.get()), expected);
        EXPECT_STREQ(a->children[added - 1]->name, "c");
        EXPECT_EQ(root->child_count, added + 1);
    }
}

} // namespace
