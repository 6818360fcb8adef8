#include "xml/element.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> content_order_of(const Element* e) {
    return std::vector<int>(e->content_order, e->content_order + content_count(e));
}

TEST(XmlElement, ContentOrderRecordsTheInterleaving) {
    const ElementRef root = new_document_root();
    const ElementRef first = append_child(root.get(), copy_string("a"), false);
    append_text(root.get(), copy_string("t"));
    append_attribute(root.get(), copy_string("k"), nullptr);
    append_verbatim_block(root.get(), copy_string("c"), "<!--", "-->");
    const ElementRef second = append_child(root.get(), copy_string("b"), false);
    EXPECT_EQ(content_order_of(root.get()), (std::vector<int>{0, 2, 1, 3, 4}));
    EXPECT_EQ(second->references, 2); // the array's and the caller's
    EXPECT_EQ(second->parent, root.get());
}

TEST(XmlElement, NullArgumentsStoreNothing) {
    const ElementRef root = new_document_root();
    EXPECT_FALSE(append_child(root.get(), nullptr, false));
    EXPECT_EQ(append_attribute(root.get(), nullptr, copy_string("v")), nullptr); // value freed
    EXPECT_EQ(append_text(root.get(), nullptr), nullptr);
    EXPECT_EQ(append_verbatim_block(root.get(), nullptr, "<!--", "-->"), nullptr);
    EXPECT_EQ(content_count(root.get()), 0);
    // Without an element the strings handed over are freed (the sanitizer sees any leak).
    EXPECT_FALSE(append_child(nullptr, copy_string("a"), false));
    EXPECT_EQ(append_text(nullptr, copy_string("t")), nullptr);
    EXPECT_EQ(append_attribute(nullptr, copy_string("k"), copy_string("v")), nullptr);
    EXPECT_FALSE(child_at(ElementRef(), 0));
    EXPECT_EQ(count_children_named(ElementRef(), "a"), 0);
    EXPECT_EQ(first_text(root.get()), nullptr);
}

TEST(XmlElement, LookupsIgnoreAsciiCaseOnly) {
    const ElementRef root = new_document_root();
    append_attribute(root.get(), copy_string("symbol"), copy_string("1"));
    append_attribute(root.get(), copy_string("other"), copy_string("x"));
    append_attribute(root.get(), copy_string("SYMBOL"), nullptr);
    append_attribute(root.get(), copy_string("Symbol"), copy_string("3"));
    append_attribute(root.get(), copy_string("symbol\xC9"), copy_string("no"));
    EXPECT_STREQ(attribute_value_named(root.get(), "symbol", 0), "1");
    EXPECT_EQ(attribute_value_named(root.get(), "symbol", 1), nullptr); // found, without value
    EXPECT_STREQ(attribute_value_named(root.get(), "symbol", 2), "3");
    EXPECT_EQ(attribute_value_named(root.get(), "symbol", 3), nullptr);
    EXPECT_EQ(attribute_value_named(root.get(), "symbol\xE9", 0), nullptr);
    for (const char* name : {"p", "P", "p", "pp"}) {
        append_child(root.get(), copy_string(name), false);
    }
    EXPECT_EQ(count_children_named(root, "p"), 3);
    EXPECT_FALSE(child_at(root, -1));
    EXPECT_FALSE(child_at(root, 4));
    EXPECT_STREQ(child_at(root, 3)->name, "pp");
}

TEST(XmlElement, HeldChildOutlivesItsTree) {
    ElementRef root = new_document_root();
    Element* const tree = root.get();
    const ElementRef kept = append_child(root.get(), copy_string("a"), false);
    append_text(append_child(kept.get(), copy_string("b"), false).get(), copy_string("t"));
    ElementRef alias = root;
    alias = alias; // assigning a handle to itself changes nothing
    root = ElementRef();
    EXPECT_EQ(kept->parent, tree); // still the tree's while alias holds it
    alias = ElementRef();
    EXPECT_EQ(kept->parent, nullptr);
    EXPECT_EQ(kept->references, 1);
    EXPECT_STREQ(first_text(kept->children[0]), "t");
}

TEST(XmlElement, DroppingAnUncountedChildKeepsTheParentConsistent) {
    const ElementRef root = new_document_root();
    const ElementRef a = append_child(root.get(), copy_string("a"), false);
    append_text(root.get(), copy_string("t"));
    Element* const b = append_child(root.get(), copy_string("b"), false).get();
    append_child(root.get(), copy_string("c"), false);
    release_element(b); // one release too many: b leaves the tree
    ASSERT_EQ(root->child_count, 2);
    EXPECT_STREQ(root->children[1]->name, "c");
    EXPECT_EQ(content_order_of(root.get()), (std::vector<int>{0, 2, 4}));
}

TEST(XmlElement, BlockGrowthScopeGrowsInBlocksAndRestoresExactGrowth) {
    const ElementRef root = new_document_root();
    {
        const BlockGrowthScope growth;
        { const BlockGrowthScope nested; }
        for (int i = 0; i < 260; ++i) { // past several block boundaries of both arrays
            append_child(root.get(), copy_string("p"), false);
            append_text(root.get(), copy_string("t"));
        }
        compact_element(root.get());
    }
    // Exact growth again: adds beyond the trimmed arrays must reallocate (the sanitizer checks).
    for (int i = 0; i < 3; ++i) {
        append_child(root.get(), copy_string("q"), false);
    }
    EXPECT_EQ(root->child_count, 263);
    EXPECT_EQ(content_order_of(root.get()).back(), 262 * 4);
}

} // namespace
