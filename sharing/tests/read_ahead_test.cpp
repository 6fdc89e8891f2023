// Reading the next photo beside the window's thread: handed over only for the path started,
// quiet towards the user, and never left running behind its owner.

#include "common/testing/ui_recorder.h"
#include "sharing/store/read_ahead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace lv::sharing {
namespace {

TEST(ReadAhead, ReadsOnAnotherThreadQuietlyAndHandsOverOnlyThePathStartedOnce)
{
    testing::UiRecorder recorder;
    std::atomic<int> reads = 0;
    ReadAhead<std::thread::id> ahead([&](const std::string& path) {
        ++reads;
        ui::Current().showMessage(path, "Atenção", ui::Icon::Exclamation);
        ui::Current().beep();
        return std::this_thread::get_id();
    });
    EXPECT_TRUE(ahead.ready());
    EXPECT_FALSE(ahead.take("a"));

    ahead.start("a");
    const std::optional<std::thread::id> reader = ahead.take("a");
    ASSERT_TRUE(reader);
    EXPECT_NE(*reader, std::this_thread::get_id());
    EXPECT_FALSE(ahead.take("a"));

    // Started for one path, asked for another: dropped, and the caller reads it itself.
    ahead.start("b");
    EXPECT_FALSE(ahead.take("c"));
    EXPECT_TRUE(ahead.ready());
    EXPECT_FALSE(ahead.take("b"));

    // A second start waits for the first and keeps only its own.
    ahead.start("d");
    ahead.start("e");
    EXPECT_FALSE(ahead.take("d"));
    ahead.start("e");
    EXPECT_TRUE(ahead.take("e"));

    EXPECT_EQ(reads, 5);
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(recorder.beeps, 0);
}

TEST(ReadAhead, NotReadyWhileReadingAndTheOwnerWaitsForTheReadUnderWay)
{
    std::promise<void> gate;
    std::shared_future<void> opened = gate.get_future().share();
    std::atomic<int> finished = 0;
    {
        ReadAhead<std::string> ahead([&](const std::string& path) {
            opened.wait();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ++finished;
            return path + "!";
        });
        ahead.start("x");
        EXPECT_FALSE(ahead.ready());
        gate.set_value();
        EXPECT_EQ(ahead.take("x"), "x!");
        ahead.start("y");
    }
    EXPECT_EQ(finished, 2);
}

}  // namespace
}  // namespace lv::sharing
