#include "app/question.h"

#include "app/frame_tick.h"
#include "core/game_state.h"
#include "core/texts.h"
#include "render/message_log.h"

#include <algorithm>
#include <vector>

namespace zen {

namespace {

constexpr Colour kBoxColour = 0x101018;
constexpr Colour kTitleColour = 0x2A2A3A;
constexpr Colour kBorder = 0x808080;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Font kTitleFont{11, true};
constexpr Font kButtonFont{12, true};
constexpr int kMargin = 24;
constexpr int kTitleHeight = 26;
constexpr int kRowHeight = 22;
constexpr int kMaxRows = 6;

// The question in rows of the log's width, measured as the log measures them.
std::vector<std::string> question_rows(Game& game, const std::string& question)
{
    std::vector<std::string> rows = wrap_message(game.platform.fonts.get(), question, game.lang, kMaxRows);
    if (rows.empty()) rows.emplace_back();
    return rows;
}

bool inside(int x, int y, int left, int top, int width, int height)
{
    return x >= left && x < left + width && y >= top && y < top + height;
}

void draw_button(Canvas& c, int x, int y, const std::string& caption, Colour brush)
{
    c.rectangle(x, y, x + QuestionLayout::kButtonWidth, y + QuestionLayout::kButtonHeight, Pen{kBorder, 1}, brush);
    const Extent size = c.text_extent(caption, kButtonFont);
    c.text(x + (QuestionLayout::kButtonWidth - size.width) / 2, y + (QuestionLayout::kButtonHeight - size.height) / 2,
           caption, kButtonFont, kWhite, brush);
}

} // namespace

QuestionLayout question_layout(Game& game, const std::string& question)
{
    const int rows = static_cast<int>(question_rows(game, question).size());
    const int width = kMessageBoxWidth + 2 * kMargin;
    const int height = kTitleHeight + 16 + rows * kRowHeight + 16 + QuestionLayout::kButtonHeight + 18;
    QuestionLayout l;
    l.left = (kPlayWidth - width) / 2;
    l.top = (kPlayHeight - height) / 2;
    l.right = l.left + width;
    l.bottom = l.top + height;
    l.buttons_y = l.bottom - 18 - QuestionLayout::kButtonHeight;
    l.yes_x = kPlayWidth / 2 - 16 - QuestionLayout::kButtonWidth;
    l.no_x = kPlayWidth / 2 + 16;
    return l;
}

int question_button_at(const QuestionLayout& l, int x, int y)
{
    if (inside(x, y, l.yes_x, l.buttons_y, QuestionLayout::kButtonWidth, QuestionLayout::kButtonHeight)) return 1;
    if (inside(x, y, l.no_x, l.buttons_y, QuestionLayout::kButtonWidth, QuestionLayout::kButtonHeight)) return 2;
    return 0;
}

void draw_question(Game& game, const std::string& question, int hovered, Canvas& c)
{
    const QuestionLayout l = question_layout(game, question);
    c.rectangle(l.left, l.top, l.right, l.bottom, Pen{kBorder, 1}, kBoxColour);
    c.fill_rect(l.left + 1, l.top + 1, l.right - 1, l.top + kTitleHeight, kTitleColour);
    const std::string title = tr(game, Text::question_title);
    const Extent t = c.text_extent(title, kTitleFont);
    c.text(l.left + 10, l.top + (kTitleHeight - t.height) / 2, title, kTitleFont, kWhite);
    int y = l.top + kTitleHeight + 16;
    for (const std::string& row : question_rows(game, question)) {
        const Extent e = c.text_extent(row, kMessageLayoutFont);
        c.text((kPlayWidth - e.width) / 2, y, row, kMessageLayoutFont, kWhite);
        y += kRowHeight;
    }
    const Colour lit = blink_colour(game);
    draw_button(c, l.yes_x, l.buttons_y, tr(game, Text::answer_yes), hovered == 1 ? lit : Colour{0});
    draw_button(c, l.no_x, l.buttons_y, tr(game, Text::answer_no), hovered == 2 ? lit : Colour{0});
}

bool ask_in_window(Game& game, const std::string& question, std::int64_t& frames_run)
{
    Clock& clock = *game.platform.clock;
    Window& window = *game.platform.window;
    const QuestionLayout layout = question_layout(game, question);
    int hovered = question_button_at(layout, game.mouse_x, game.mouse_y);
    int pressed = 0;
    Canvas shown;
    const auto show = [&] {
        make_play_area(game, shown);
        shown.copy_rect(0, 0, game.cg, 0, 0, game.cg.width(), game.cg.height());
        draw_question(game, question, hovered, shown);
        window.present(shown);
    };
    show();
    std::int64_t due = clock.now_ms() + game.timer_interval;
    InputEvent ev;
    const auto answer = [&]() -> bool {
        for (;;) {
            const std::int64_t wait = due - clock.now_ms();
            if (wait <= 0) {
                // The game runs on behind the question.
                tick(game);
                ++frames_run;
                due = clock.now_ms() + game.timer_interval;
                show();
                continue;
            }
            if (!window.wait_event(ev, static_cast<int>(wait))) continue;
            switch (ev.type) {
            case InputEvent::Type::quit: game.close_requested = true; return false;
            case InputEvent::Type::mouse_move:
                hovered = question_button_at(layout, ev.x, ev.y);
                show();
                break;
            case InputEvent::Type::mouse_down:
                if (ev.button == MouseButton::left) pressed = question_button_at(layout, ev.x, ev.y);
                break;
            case InputEvent::Type::mouse_up:
                // A button answers when the press that began on it ends on it.
                if (ev.button == MouseButton::left && pressed != 0 && pressed == question_button_at(layout, ev.x, ev.y))
                    return pressed == 1;
                pressed = 0;
                break;
            case InputEvent::Type::key:
                if (ev.key == "return" || ev.key == "keypad_enter") return true;
                if (ev.key == "escape") return false;
                break;
            case InputEvent::Type::pad_down:
                // A controller's A says yes, B no.
                if (ev.key == "a") return true;
                if (ev.key == "b") return false;
                break;
            case InputEvent::Type::focus_lost:
            case InputEvent::Type::wheel:
            case InputEvent::Type::pad_up:
            case InputEvent::Type::pad_axis:
            case InputEvent::Type::pad_gone: break;
            }
        }
    }();
    // The window shows the game's own frame again (and keeps no hold on this one).
    window.present(game.cg);
    return answer;
}

} // namespace zen
