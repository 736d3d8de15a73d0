// pkgtool as its users run it: the info and dump listings of a writer-made package, and the
// exit status and one-line reason for files it refuses.
#include "Package/PackageReader.h"
#include "Package/PackageTestSupport.h"
#include "PackageWriter.h"
#include "PkgtoolListings.h"
#include "Runner/ProcessRun.h"
#include "SamplePackage.h"
#include "TestFiles.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class Pkgtool : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<uint8_t> bytes = WritePackage(sample_.tables);
        // A zero-length chunk at the end is listed like any other.
        package_test::AppendChunk(bytes, package::kTagRoom, {});
        WriteText(package_, std::string(bytes.begin(), bytes.end()));
        ASSERT_TRUE(ReadPackage(bytes, read_).ok);
    }

    ProcessRun Pkg(const std::string& arguments) {
        return Execute(std::string(PKGTOOL_PATH) + " " + arguments, (folder_ / "err.txt").string());
    }

    // One folder per test: ctest runs them side by side.
    const std::filesystem::path folder_ =
        std::filesystem::path(TEST_BINARY_DIR) / "pkgtool" /
        ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string package_ = (folder_ / "data.win").string();
    SamplePackage sample_;
    GamePackage read_;
};

// The listings of data/pkgtool_runs.txt, and in the info one line per chunk, in file order, the
// zero-length one too.
TEST_F(Pkgtool, InfoAndDumpListTheHeaderTheChunksAndTheRecordsOfEachKind) {
    ExpectListings(package_, "pkgtool_runs.txt");
    // A wrong command line is not a refused file.
    EXPECT_EQ(Pkg("dump " + package_ + " paths").exit_code, 1);
    EXPECT_EQ(Pkg("dump " + package_ + " objects 3").exit_code, 1);
    EXPECT_EQ(Pkg("list " + package_).exit_code, 1);
    const ProcessRun run = Pkg("info " + package_);
    EXPECT_EQ(run.errors, "");
    std::string chunks;
    for (const PackageChunk& chunk : read_.chunks)
        chunks += "chunk " + ChunkTagText(chunk.tag) + " " + std::to_string(chunk.length) + "\n";
    EXPECT_NE(run.output.find(chunks), std::string::npos) << run.output;
    EXPECT_NE(chunks.find("chunk ROOM 0\n"), std::string::npos);
}

TEST_F(Pkgtool, RefusedFilesExitWithTwoAndOneLine) {
    const std::string broken = (folder_ / "broken.win").string();
    WriteText(broken, "FROM and not much more");
    ProcessRun run = Pkg("info " + broken);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.errors, broken +
                           ": not a game package: it starts with \"FROM\" instead of \"FORM\" at "
                           "offset 0\n");

    run = Pkg("dump " + (folder_ / "missing.win").string() + " objects");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1);
}

} // namespace
