// The recent-file list over an in-memory store: the four entries, their order after Open, Save
// and a recent entry, and the menu that shows them.
#include "files/RecentFiles.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

struct Recent : ::testing::Test {
    MemoryStore store;
    RecentFiles rf{store};

    std::vector<std::string> keys() {
        std::vector<std::string> out;
        for (int n = 1; n <= 4; ++n)
            out.push_back(store.read("RecentFile" + std::to_string(n)));
        return out;
    }
    void open(const std::string& p) {
        rf.promoteRecentFile(p);
        rf.rebuildRecentMenu();
    }
    void save(const std::string& p) {
        rf.pushRecentFile(p);
        rf.rebuildRecentMenu();
    }
};

} // namespace

TEST_F(Recent, EmptyStoreShowsNothing) {
    rf.rebuildRecentMenu();
    for (bool v : rf.menu().visible)
        EXPECT_FALSE(v);
    // A section without RecentFile1 is not shown either.
    store.write("RecentFile2", "/a.cys");
    rf.rebuildRecentMenu();
    EXPECT_FALSE(rf.menu().visible[0]);
}

TEST_F(Recent, MenuCaptionsNumberedFromOne) {
    open("/w/a.cys");
    open("/w/b.cys");
    const RecentMenu& m = rf.menu();
    EXPECT_TRUE(m.visible[0]);
    EXPECT_EQ(m.caption[1], "1. /w/b.cys");
    EXPECT_EQ(m.caption[2], "2. /w/a.cys");
    EXPECT_FALSE(m.visible[3]);
    EXPECT_EQ(m.path(2), "/w/a.cys");
    EXPECT_EQ(m.path(5), "");
}

TEST_F(Recent, FifthFileDropsTheOldest) {
    for (const char* p : {"/1.cys", "/2.cys", "/3.cys", "/4.cys", "/5.cys"})
        open(p);
    EXPECT_EQ(keys(), (std::vector<std::string>{"/5.cys", "/4.cys", "/3.cys", "/2.cys"}));
}

TEST_F(Recent, ReopeningItemThreeMovesItToTheTop) {
    for (const char* p : {"/1.cys", "/2.cys", "/3.cys", "/4.cys"})
        open(p);
    // Items now: 4, 3, 2, 1. Item 3 is /2.cys.
    open("/2.cys");
    EXPECT_EQ(keys(), (std::vector<std::string>{"/2.cys", "/4.cys", "/3.cys", "/1.cys"}));
    open("/2.cys"); // item 1: nothing moves
    EXPECT_EQ(keys(), (std::vector<std::string>{"/2.cys", "/4.cys", "/3.cys", "/1.cys"}));
    open("/1.cys"); // item 4
    EXPECT_EQ(keys(), (std::vector<std::string>{"/1.cys", "/2.cys", "/4.cys", "/3.cys"}));
}

TEST_F(Recent, ComparisonIsCaseSensitive) {
    open("/w/A.cys");
    open("/w/a.cys");
    EXPECT_EQ(keys(), (std::vector<std::string>{"/w/a.cys", "/w/A.cys", "", ""}));
}

TEST_F(Recent, SavingUnderAListedPathAddsItAgain) {
    open("/a.cys");
    open("/b.cys");
    // /a.cys is item 2; a save under it puts it on top and keeps the old copy.
    save("/a.cys");
    EXPECT_EQ(keys(), (std::vector<std::string>{"/a.cys", "/b.cys", "/a.cys", ""}));
}

TEST_F(Recent, MoveToTopFromEachIndex) {
    for (const char* p : {"/d.cys", "/c.cys", "/b.cys", "/a.cys"})
        open(p);
    // a b c d
    rf.moveRecentToTop("/c.cys", 3);
    EXPECT_EQ(keys(), (std::vector<std::string>{"/c.cys", "/a.cys", "/b.cys", "/d.cys"}));
    rf.moveRecentToTop("/d.cys", 4);
    EXPECT_EQ(keys(), (std::vector<std::string>{"/d.cys", "/c.cys", "/a.cys", "/b.cys"}));
    rf.moveRecentToTop("/c.cys", 2);
    EXPECT_EQ(keys(), (std::vector<std::string>{"/c.cys", "/d.cys", "/a.cys", "/b.cys"}));
    rf.moveRecentToTop("/c.cys", 1);
    EXPECT_EQ(keys(), (std::vector<std::string>{"/c.cys", "/d.cys", "/a.cys", "/b.cys"}));
}

TEST_F(Recent, EntryShownOnceStaysShown) {
    open("/a.cys");
    open("/b.cys");
    store.write("RecentFile2", "");
    rf.rebuildRecentMenu();
    EXPECT_TRUE(rf.menu().visible[2]);
}

TEST_F(Recent, FolderOfAnEntry) {
    EXPECT_EQ(RecentFiles::folderOfEntry("/home/eng/cases/leg.cys"), "/home/eng/cases/");
    EXPECT_EQ(RecentFiles::folderOfEntry("leg.cys"), "");
    EXPECT_EQ(RecentFiles::folderOfEntry(".cys"), "");
}
