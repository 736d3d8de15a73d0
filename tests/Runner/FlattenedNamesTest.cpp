#include "Runner/FlattenedNames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(FlattenedNames, FilesMoveIntoTheirFoldersAndNothingLeavesTheGameFolder) {
    fs::path game = fs::path(TEST_BINARY_DIR) / "flattened_names" / "game";
    fs::remove_all(game.parent_path());
    fs::create_directories(game / "kept@folder");
    for (const char* name : {"music@title.ogg", "a@b@c.txt", "..@escape.txt", "@rooted.txt", "trailing@",
                             ".hidden@file", "plain.txt"})
        std::ofstream(game / name) << name;

    EXPECT_EQ(UnpackFlattenedNames(game.string()), 2);
    EXPECT_TRUE(fs::is_regular_file(game / "music" / "title.ogg"));
    EXPECT_TRUE(fs::is_regular_file(game / "a" / "b" / "c.txt"));
    // Names that would climb out, start at the root or end in nothing stay as they are.
    for (const char* kept : {"..@escape.txt", "@rooted.txt", "trailing@", ".hidden@file", "plain.txt"})
        EXPECT_TRUE(fs::is_regular_file(game / kept)) << kept;
    EXPECT_FALSE(fs::exists(game.parent_path() / "escape.txt"));
    EXPECT_TRUE(fs::is_directory(game / "kept@folder")); // folders are never moved
    EXPECT_EQ(UnpackFlattenedNames((game / "no such folder").string()), 0);
}

} // namespace
