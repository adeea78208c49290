#pragma once
// A yes/no question asked in the game's own window: a box over the running frame, titled with the
// game's name, with Yes and No buttons. The mouse, Enter (yes) and Escape (no) answer it, and the
// game's frames keep running behind it (the start screens only redraw their picture meanwhile).
#include "platform/canvas.h"

#include <cstdint>
#include <string>

namespace zen {

struct Game;

// Where the question's box and buttons stand on the 800 x 600 play area.
struct QuestionLayout {
    int left = 0, top = 0, right = 0, bottom = 0;
    int yes_x = 0, no_x = 0, buttons_y = 0;
    static constexpr int kButtonWidth = 120;
    static constexpr int kButtonHeight = 32;
};
QuestionLayout question_layout(Game& game, const std::string& question);

// 1 for a point on Yes, 2 on No, 0 elsewhere.
int question_button_at(const QuestionLayout& layout, int x, int y);

// Draws the question over what the canvas holds; `hovered` (1 Yes, 2 No) is lit.
void draw_question(Game& game, const std::string& question, int hovered, Canvas& canvas);

// Asks in the window and waits for the answer, running a frame whenever one is due; `frames_run`
// counts them. Closing the window answers no and asks the game to close (game.close_requested).
bool ask_in_window(Game& game, const std::string& question, std::int64_t& frames_run);

} // namespace zen
