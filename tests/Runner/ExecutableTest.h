// The end-to-end tests of the test games: each test's own files (ctest runs tests side by
// side), and the packages the games play.
#pragma once

#include <filesystem>
#include <gtest/gtest.h>

#include "PackageWriter.h"
#include "Runner/ProcessRun.h"

class ExecutableTest : public ::testing::Test {
protected:
    explicit ExecutableTest(const char* folder)
        : work_(std::string(TEST_BINARY_DIR) + "/" + folder) {
        std::filesystem::create_directories(work_);
    }
    // A file of this test's: its name with `suffix`.
    std::string Work(const std::string& suffix) const { return work_ + "/" + test_ + suffix; }

    // Writes `package` with 320x180 rooms in order, the first with the test game's code entry
    // `first` as creation code, and a persistent object whose step event is the next entry,
    // placed at (10, 10) in the first room when `placed`; its path. `stale` renames the first
    // entry, as an older build of the game would have it.
    std::string WriteGame(const std::string& suffix, GamePackage package,
                          std::vector<const char*> rooms, int32_t first, const char* object,
                          bool placed, bool stale = false) const {
        package.header.last_instance_id = 100001;
        package.header.window_width = 320;
        package.header.window_height = 180;
        for (const char* name : rooms) {
            PackageRoom room;
            room.name = name;
            room.width = 320;
            room.height = 180;
            room.speed = 60;
            room.creation_code = package.rooms.empty() ? first : -1;
            package.header.room_order.push_back(int32_t(package.rooms.size()));
            package.rooms.push_back(room);
        }
        for (const char* name : {"psl_Room_rmFirst_Create", "psl_Object_oWalker_Step_0",
                                 "psl_Room_rmField_Create", "psl_Object_oDot_Step_0"})
            package.code.push_back({name, {}, 0, 0});
        if (stale) package.code[0].name = "psl_Room_rmOld_Create";
        PackageObject walker;
        walker.name = object;
        walker.persistent = true;
        walker.events[{3, 0}] = first + 1;
        package.objects.push_back(walker);
        if (placed)
            package.rooms[0]->instances.push_back({10, 10, 0, 100001, -1, 1, 1, 1, 0, 0, 0, -1});
        const std::string path = Work(suffix);
        EXPECT_TRUE(WritePackageFile(package, path));
        return path;
    }

    const std::string bin_ = RUNNER_BIN_DIR;
    const std::string work_;
    const std::string test_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
};
