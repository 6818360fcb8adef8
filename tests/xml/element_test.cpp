#include "tests/xml/element_inspection.h"
#include "xml/element.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace {

// Restores growth_step even when a check fails half-way.
struct GrowthStepScope {
    explicit GrowthStepScope(int step) { growth_step = step; }
    GrowthStepScope(const GrowthStepScope&) = delete;
    GrowthStepScope& operator=(const GrowthStepScope&) = delete;
    ~GrowthStepScope() { growth_step = 0; }
};

TEST(XmlElement, NewElementStartsEmptyWithOneReference) {
    const ElementRef root = new_document_root();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->name, nullptr);
    EXPECT_EQ(root->references, 1);
    EXPECT_EQ(root->child_count + root->text_count + root->block_count + root->attribute_count, 0);
    EXPECT_EQ(root->content_order, nullptr);
    EXPECT_EQ(root->children, nullptr);
}

TEST(XmlElement, ContentOrderRecordsInterleaving) {
    const ElementRef root = new_document_root();
    const ElementRef first = append_child(root.get(), copy_string("a"), false);
    append_text(root.get(), copy_string("t"));
    append_attribute(root.get(), copy_string("k"), copy_string("v"));
    const ElementRef second = append_child(root.get(), copy_string("b"), true);
    append_verbatim_block(root.get(), copy_string("c"), "<!--", "-->");
    EXPECT_EQ(content_order_of(root.get()), (std::vector<int>{0, 2, 1, 4, 3}));
    EXPECT_EQ(first->references, 2); // the array's and ours
    EXPECT_EQ(first->parent, root.get());
    EXPECT_EQ(second->question_tag, 1);
    EXPECT_STREQ(root->blocks[0].content, "c");
    EXPECT_STREQ(root->blocks[0].opening, "<!--");
}

TEST(XmlElement, NullArgumentsChangeNothing) {
    const ElementRef root = new_document_root();
    EXPECT_FALSE(append_child(root.get(), nullptr, false));
    // The value handed over is owned from then on, and freed (LeakSanitizer checks).
    const Attribute* const attribute = append_attribute(root.get(), nullptr, copy_string("value"));
    EXPECT_EQ(attribute->name, nullptr);
    EXPECT_EQ(attribute->value, nullptr);
    EXPECT_EQ(append_text(root.get(), nullptr), nullptr);
    EXPECT_EQ(append_verbatim_block(root.get(), nullptr, "<!--", "-->")->content, nullptr);
    EXPECT_EQ(root->child_count + root->attribute_count + root->text_count + root->block_count, 0);
    EXPECT_EQ(root->content_order, nullptr);
}

TEST(XmlElement, LookupsOutsideTheTreeAreEmpty) {
    const ElementRef root = new_document_root();
    const ElementRef child = append_child(root.get(), copy_string("P"), false);
    EXPECT_FALSE(child_at(root, -1));
    EXPECT_FALSE(child_at(root, 1));
    EXPECT_EQ(child_at(root, 0).get(), child.get());
    EXPECT_FALSE(child_at(ElementRef(), 0));
    EXPECT_EQ(count_children_named(ElementRef(), "P"), 0);
    EXPECT_EQ(first_text(root.get()), nullptr);
}

TEST(XmlElement, NamesMatchIgnoringAsciiCaseOnly) {
    const ElementRef body = new_document_root();
    for (const char* name : {"P", "p", "PP", "\xC9", "\xE9"}) {
        append_child(body.get(), copy_string(name), false);
    }
    EXPECT_EQ(count_children_named(body, "p"), 2);
    EXPECT_EQ(count_children_named(body, "\xE9"), 1); // bytes above 127 are not folded
}

TEST(XmlElement, AttributeValueNamedCountsMatchesInOrder) {
    const ElementRef e = new_document_root();
    append_attribute(e.get(), copy_string("symbol"), copy_string("one"));
    append_attribute(e.get(), copy_string("other"), copy_string("x"));
    append_attribute(e.get(), copy_string("symbol"), nullptr);
    append_attribute(e.get(), copy_string("Symbol"), copy_string("three"));
    EXPECT_STREQ(attribute_value_named(e.get(), "symbol", 0), "one");
    EXPECT_EQ(attribute_value_named(e.get(), "symbol", 1), nullptr); // found, without value
    EXPECT_STREQ(attribute_value_named(e.get(), "SYMBOL", 2), "three");
    EXPECT_EQ(attribute_value_named(e.get(), "symbol", 3), nullptr);
}

TEST(XmlElement, FirstTextIsTheEarliestAdded) {
    const ElementRef e = new_document_root();
    append_text(e.get(), copy_string(""));
    append_text(e.get(), copy_string("second"));
    EXPECT_STREQ(first_text(e.get()), "");
    EXPECT_EQ(e->text_count, 2);
}

TEST(XmlElement, ChildSurvivesItsRoot) {
    ElementRef root = new_document_root();
    const ElementRef middle = append_child(root.get(), copy_string("m"), false);
    const ElementRef leaf = append_child(middle.get(), copy_string("leaf"), false);
    append_text(leaf.get(), copy_string("kept"));
    root = ElementRef();
    EXPECT_EQ(middle->parent, nullptr);
    EXPECT_EQ(middle->references, 1);
    EXPECT_EQ(leaf->parent, middle.get());
    ElementRef holder = child_at(middle, 0);
    EXPECT_EQ(holder.get(), leaf.get());
    EXPECT_STREQ(first_text(holder.get()), "kept");
}

TEST(XmlElement, HandleCopiesCountReferences) {
    const ElementRef root = new_document_root();
    {
        ElementRef copy = root;
        EXPECT_EQ(root->references, 2);
        ElementRef moved = std::move(copy);
        EXPECT_FALSE(copy); // NOLINT(bugprone-use-after-move): a moved-from handle is empty
        EXPECT_EQ(root->references, 2);
        moved = moved; // self-assignment changes nothing
        EXPECT_EQ(root->references, 2);
        ElementRef other = new_document_root();
        other = moved;
        EXPECT_EQ(root->references, 3);
    }
    EXPECT_EQ(root->references, 1);
}

TEST(XmlElement, AssigningAChildOverItsOnlyAncestorKeepsTheChild) {
    ElementRef handle = new_document_root();
    const ElementRef child = append_child(handle.get(), copy_string("c"), false);
    handle = child_at(handle, 0);
    EXPECT_EQ(handle.get(), child.get());
    EXPECT_EQ(child->parent, nullptr);
    EXPECT_EQ(child->references, 2);
}

TEST(XmlElement, UnlinkKeepsParentConsistent) {
    const ElementRef root = new_document_root();
    Element* kids[3];
    for (int i = 0; i < 3; ++i) {
        kids[i] = append_child(root.get(), copy_string("k"), false).get();
        append_text(root.get(), copy_string("t"));
    }
    // Drop the array's reference of the middle child, as a caller releasing once too often would.
    release_element(kids[1]);
    EXPECT_EQ(root->child_count, 2);
    EXPECT_EQ(root->children[0], kids[0]);
    EXPECT_EQ(root->children[1], kids[2]);
    EXPECT_EQ(content_order_of(root.get()), (std::vector<int>{0, 2, 6, 4, 10}));
    release_element(kids[0]);
    release_element(kids[2]);
    EXPECT_EQ(root->child_count, 0);
    EXPECT_EQ(root->children, nullptr);
    EXPECT_EQ(content_order_of(root.get()), (std::vector<int>{2, 6, 10}));
}

TEST(XmlElement, GrowthStepAllocatesInBlocksAndCompactTrims) {
    const GrowthStepScope scope(50);
    const ElementRef root = new_document_root();
    for (int i = 0; i < 49; ++i) {
        append_child(root.get(), copy_string("c"), false);
    }
    EXPECT_LT(allocated_bytes(root->children), 100 * child_entry_bytes); // room for 50 at first
    append_child(root.get(), copy_string("c"), false);                   // n = 49: the first reallocation
    EXPECT_GE(allocated_bytes(root->children), 100 * child_entry_bytes);
    EXPECT_LT(allocated_bytes(root->children), 150 * child_entry_bytes);
    for (int i = 50; i < 120; ++i) {
        append_child(root.get(), copy_string("c"), false);
    }
    // Reaching n = 49, 99 reallocates; the content is intact after each move.
    for (int i = 0; i < 120; ++i) {
        ASSERT_EQ(root->children[i]->parent, root.get());
        ASSERT_EQ(root->content_order[i], i * 4);
    }
    compact_element(root.get());
    EXPECT_LT(allocated_bytes(root->children), 121 * child_entry_bytes);
    EXPECT_EQ(root->child_count, 120);
    EXPECT_EQ(root->children[119]->name[0], 'c');
}

TEST(XmlElement, CompactOutsideAParseDoesNothing) {
    const ElementRef root = new_document_root();
    append_text(root.get(), copy_string("a"));
    const int* const before = root->content_order;
    compact_element(root.get());
    EXPECT_EQ(root->content_order, before);
}

} // namespace
