#include "core/line_queue.h"

#include "core/game_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace zen {
namespace {

using test::TestGame;

TEST(LineQueue, AppendsInOrderAndConsumesFromTheFront)
{
    TestGame g;
    append_line(*g, "一");
    append_line(*g, "二");
    append_line(*g, "三");
    EXPECT_EQ(g->line_queue[2], "三");
    EXPECT_EQ(consume_first_line(*g), "一");
    EXPECT_EQ(g->line_queue[0], "二");
    EXPECT_EQ(g->line_queue[1], "三");
    EXPECT_EQ(g->line_queue[2], "");
    append_line(*g, "四"); // into the first empty entry, right after the others
    EXPECT_EQ(g->line_queue[2], "四");
    clear_line_queue(*g);
    for (const std::string& line : g->line_queue) EXPECT_EQ(line, "");
    EXPECT_EQ(consume_first_line(*g), ""); // an empty queue stays empty
}

TEST(LineQueue, AFullQueueDropsTheNewLineAndKeepsTheOthers)
{
    TestGame g;
    for (int i = 0; i < kLineQueue; ++i) append_line(*g, "line" + std::to_string(i));
    testing::internal::CaptureStderr();
    append_line(*g, "one too many");
    append_line(*g, "two too many");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(g->line_queue[kLineQueue - 1], "line99");
    EXPECT_EQ(g->line_queue[0], "line0");
    // Named once, however many lines follow.
    EXPECT_NE(err.find("one too many"), std::string::npos) << err;
    EXPECT_EQ(err.find("two too many"), std::string::npos) << err;

    // Consuming makes room at the end again.
    EXPECT_EQ(consume_first_line(*g), "line0");
    append_line(*g, "room again");
    EXPECT_EQ(g->line_queue[kLineQueue - 1], "room again");
}

} // namespace
} // namespace zen
