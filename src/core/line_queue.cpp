#include "core/line_queue.h"

#include "core/game_state.h"

#include <cstdio>
#include <utility>

namespace zen {

void clear_line_queue(Game& game)
{
    for (std::string& line : game.line_queue) line.clear();
}

void append_line(Game& game, const std::string& text)
{
    if (text.empty()) return;
    for (std::string& line : game.line_queue) {
        if (line.empty()) {
            line = text;
            return;
        }
    }
    if (!game.line_queue_overflow_named) {
        game.line_queue_overflow_named = true;
        std::fprintf(stderr, "zentrifa: the line queue is full (%d lines); \"%s\" and any further lines are dropped\n",
                     kLineQueue, text.c_str());
    }
}

std::string consume_first_line(Game& game)
{
    std::string first = std::move(game.line_queue[0]);
    for (std::size_t i = 1; i < game.line_queue.size(); ++i) game.line_queue[i - 1] = std::move(game.line_queue[i]);
    game.line_queue.back().clear();
    return first;
}

} // namespace zen
