#include "app/pause.h"

#include "core/game_state.h"
#include "core/texts.h"
#include "platform/audio.h"

#include <cstdint>

namespace zen {

namespace {

constexpr int kBandTop = 225;
constexpr int kBandBottom = 345;

// P, or a controller's Start.
bool is_pause_key(const InputEvent& event)
{
    return (event.type == InputEvent::Type::key && event.key == "p") ||
           (event.type == InputEvent::Type::pad_down && event.key == "start");
}

// Text centred across the play area with its top at y.
void centred(Canvas& c, int y, const std::string& text, Font font, Colour colour)
{
    const Extent e = c.text_extent(text, font);
    c.text((c.width() - e.width) / 2, y, text, font, colour);
}

} // namespace

bool pauses_game(const Game& game, const InputEvent& event)
{
    return is_pause_key(event) || (event.type == InputEvent::Type::focus_lost && game.pause_on_focus_loss);
}

void draw_pause_screen(Game& game, const Canvas& frame, Canvas& out)
{
    make_play_area(game, out);
    out.copy_rect(0, 0, frame, 0, 0, frame.width(), frame.height());
    std::uint32_t* pixels = out.pixels();
    if (!pixels) return;
    const int stride = out.pitch() / static_cast<int>(sizeof(std::uint32_t));
    for (int y = 0; y < out.height(); ++y) {
        std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        // Darker still in the band behind the words, so they read over a busy street.
        const bool band = y >= kBandTop && y < kBandBottom;
        for (int x = 0; x < out.width(); ++x) row[x] = band ? (row[x] >> 2) & 0x3F3F3Fu : (row[x] >> 1) & 0x7F7F7Fu;
    }
    centred(out, 240, tr(game, Text::pause_title), Font{40, true}, 0xFFFFFF);
    centred(out, 310, tr(game, Text::pause_resume), Font{14, false}, 0xFFFFFF);
}

bool hold_pause(Game& game)
{
    Window& window = *game.platform.window;
    Canvas shown;
    draw_pause_screen(game, game.cg, shown);
    window.present(shown);
    game.platform.audio->set_paused(true);
    bool playing_on = true;
    // A click plays on too: the press and its release are both the pause's, so the game sees
    // neither, and a button held down before the pause and let go during it does not count.
    bool pressed_here = false;
    InputEvent ev;
    for (;;) {
        // The window waits for the player's next event; a long wait costs nothing. Shown again
        // after each wait, which sends nothing unless the window was uncovered or resized.
        const bool got = window.wait_event(ev, 250);
        window.present(shown);
        if (!got) continue;
        if (ev.type == InputEvent::Type::quit) {
            playing_on = false;
            break;
        }
        if (is_pause_key(ev)) break;
        if (ev.type == InputEvent::Type::mouse_down) pressed_here = true;
        if (ev.type == InputEvent::Type::mouse_up && pressed_here) break;
    }
    game.platform.audio->set_paused(false);
    window.present(game.cg);
    return playing_on;
}

} // namespace zen
