#include "site/page_tree.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace arkona::site {
namespace {

PageNode page(const std::string& id, double order = 0, const std::string& src = "") {
    PageNode n;
    n.id = id;
    n.number = std::stoll(id);
    n.order = order;
    n.src = src.empty() ? "s" + id : src;
    n.recno = static_cast<std::uint32_t>(n.number);
    return n;
}

std::string walk(const PageTree& tree) {
    std::string out;
    for (const PageNode* n : tree.preorder()) {
        out += (out.empty() ? "" : " ") + std::string(static_cast<size_t>(tree.depth(*n)), '.') +
               n->id;
    }
    return out;
}

// Records what a view of the tree hears.
struct Recorder : PageTreeObserver {
    std::vector<std::string> heard;
    void treeReset() override { heard.push_back("reset"); }
    void nodeInserted(const PageNode& n) override { heard.push_back("insert " + n.id); }
    void nodeMoved(const PageNode& n) override { heard.push_back("move " + n.id); }
    void nodeRemoving(const PageNode& n) override { heard.push_back("remove " + n.id); }
    void nodeChanged(const PageNode& n) override { heard.push_back("change " + n.id); }
};

class PageTreeTest : public ::testing::Test {
protected:
    PageTree tree;
    PageNode* a = nullptr;
    PageNode* b = nullptr;
    PageNode* c = nullptr;
    PageNode* d = nullptr;
    PageNode* e = nullptr;

    void SetUp() override {
        // 1_ ( 2_ ( 3_ ), 4_ ), 5_
        a = &tree.insert(page("1_", 1), nullptr);
        b = &tree.insert(page("2_", 2), a);
        c = &tree.insert(page("3_", 3), b);
        d = &tree.insert(page("4_", 4), a);
        e = &tree.insert(page("5_", 5), nullptr);
    }
};

TEST_F(PageTreeTest, WalkDepthAndPositions) {
    EXPECT_EQ(walk(tree), "1_ .2_ ..3_ .4_ 5_");
    EXPECT_TRUE(tree.numbered());
    EXPECT_EQ(tree.atPosition(3), c);
    EXPECT_EQ(tree.atPosition(5), e);
    EXPECT_EQ(tree.atPosition(0), nullptr);
    EXPECT_EQ(tree.atPosition(6), nullptr);
    EXPECT_EQ(tree.position(*d), 3u);
    EXPECT_EQ(tree.find("3_"), c);
    EXPECT_EQ(tree.find("3"), nullptr);
    EXPECT_EQ(tree.ancestors(*c), (std::vector<PageNode*>{b, a}));
    EXPECT_EQ(c->parentId(), "2_");
    EXPECT_EQ(a->parentId(), "0_");
    EXPECT_TRUE(tree.isWithin(*c, *a));
    EXPECT_FALSE(tree.isWithin(*a, *c));
    EXPECT_EQ(tree.subtree(*b), (std::vector<PageNode*>{b, c}));
    EXPECT_EQ(tree.subtree(*e), (std::vector<PageNode*>{e}));
    EXPECT_EQ(tree.nextSibling(*b), d);
    EXPECT_EQ(tree.nextSibling(*d), nullptr);
}

TEST_F(PageTreeTest, MovingKeepsTheSubTreeAndRefusesCycles) {
    tree.move(*b, e, nullptr);
    EXPECT_EQ(walk(tree), "1_ .4_ 5_ .2_ ..3_");
    EXPECT_FALSE(tree.numbered());
    EXPECT_EQ(tree.atPosition(4), b);
    tree.move(*b, a, d); // back in front of 4_
    EXPECT_EQ(walk(tree), "1_ .2_ ..3_ .4_ 5_");
    tree.move(*d, a, d); // in front of itself: stays
    EXPECT_EQ(walk(tree), "1_ .2_ ..3_ .4_ 5_");
    EXPECT_THROW(tree.move(*a, c, nullptr), std::logic_error);
    EXPECT_THROW(tree.move(*a, a, nullptr), std::logic_error);
    EXPECT_EQ(walk(tree), "1_ .2_ ..3_ .4_ 5_");
}

TEST_F(PageTreeTest, RemovingTakesTheSubTree) {
    tree.remove(*b);
    EXPECT_EQ(walk(tree), "1_ .4_ 5_");
    EXPECT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree.find("3_"), nullptr);
    EXPECT_THROW(tree.insert(page("4_"), nullptr), std::logic_error);
    tree.insert(page("3_"), nullptr, a);
    EXPECT_EQ(walk(tree), "3_ 1_ .4_ 5_");
}

TEST_F(PageTreeTest, LinkTargetsBySrc) {
    PageNode link = page("7_", 7, "s3_");
    link.link = true;
    PageNode& l = tree.insert(link, e);
    EXPECT_EQ(tree.linkTarget(l), c);
    PageNode other = page("8_", 8, "S3_");
    other.link = true;
    tree.insert(other, nullptr);
    // Targets match exactly; deleting a page takes links whatever their letter case.
    EXPECT_EQ(tree.pageWithSrc("S3_"), nullptr);
    EXPECT_EQ(tree.linksWithSrcNoCase("s3_").size(), 2u);
    tree.remove(*c);
    EXPECT_EQ(tree.linkTarget(l), nullptr);
    // Of two pages with one file name, the first in the table is the target.
    PageNode later = page("10_", 10, "dup");
    PageNode earlier = page("9_", 9, "dup");
    tree.insert(later, nullptr);
    tree.insert(earlier, nullptr);
    EXPECT_EQ(tree.pageWithSrc("dup")->id, "9_");
}

TEST_F(PageTreeTest, ObserverHearsEveryChange) {
    Recorder r;
    tree.setObserver(&r);
    tree.insert(page("6_"), d);
    tree.move(*d, nullptr, nullptr);
    tree.setTitle(*e, "Pátá");
    tree.setExpanded(*e, true);
    tree.setExpanded(*e, true); // no change, nothing heard
    tree.remove(*a);
    tree.clear();
    EXPECT_EQ(r.heard, (std::vector<std::string>{"insert 6_", "move 4_", "change 5_", "change 5_",
                                                 "remove 1_", "reset"}));
    EXPECT_TRUE(tree.empty());
}

TEST(PageTreeDeepTest, DeepTreeWalksWithoutRecursion) {
    PageTree tree;
    PageNode* parent = nullptr;
    for (int i = 1; i <= 20000; ++i) {
        parent = &tree.insert(page(std::to_string(i) + "_", i), parent);
    }
    EXPECT_EQ(tree.preorder().size(), 20000u);
    EXPECT_TRUE(tree.numbered());
    EXPECT_EQ(tree.depth(*parent), 19999);
    EXPECT_EQ(tree.atPosition(20000), parent);
}

} // namespace
} // namespace arkona::site
