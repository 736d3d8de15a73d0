#include "Base/OutputChannel.h"

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace {

TEST(OutputChannel, CapturesLongFormattedLinesAndKeepsCapturingWhenNoFileOpens) {
    OutputChannel channel(stdout);
    std::string captured;
    channel.CaptureTo(&captured);
    channel.Printf("Process Chunk: %s   %d\n", "GEN8", 42);
    std::string long_text(2000, 'x'); // longer than the formatting buffer on the stack
    channel.Printf("%s|", long_text.c_str());
    channel.Write("done");
    EXPECT_EQ(captured, "Process Chunk: GEN8   42\n" + long_text + "|done");
    // A file that cannot be opened leaves the capture in place.
    EXPECT_FALSE(channel.RedirectToFile("/nonexistent-folder/out.txt"));
    channel.Write(", still captured");
    EXPECT_EQ(captured, "Process Chunk: GEN8   42\n" + long_text + "|done, still captured");
}

TEST(OutputChannel, RedirectsToAFileUntilReset) {
    const std::string path = std::string(TEST_BINARY_DIR) + "/output_channel_redirect.txt";
    OutputChannel channel(stdout);
    ASSERT_TRUE(channel.RedirectToFile(path));
    channel.Printf("%s\n", "Entering main loop.");
    // Written through at once: a crash right after must not lose the line.
    EXPECT_EQ(ReadText(path), "Entering main loop.\n");
    channel.Reset();
    channel.Write("to the console");
    EXPECT_EQ(ReadText(path), "Entering main loop.\n");
}

} // namespace
