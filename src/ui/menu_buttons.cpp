#include "ui/menu_buttons.h"

#include "core/game_state.h"
#include "render/picture_store.h"
#include "ui/menu_registry.h"

#include <cstdlib>

namespace zen {

namespace {

constexpr Colour kGrey = 0x808080;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Font kHintFont{11, false};
constexpr int kCaptionSize = 12;
constexpr int kSmallestCaption = 8;
constexpr int kRightMargin = 8; // between a caption flush right and its button's edge

// One step of a slide: half the way plus one, never past the target.
std::int32_t slide(std::int32_t at, std::int32_t target)
{
    if (at < target) at += std::abs(target - at) / 2 + 1;
    if (at > target) at -= std::abs(target - at) / 2 + 1;
    return at;
}

// The widest a caption may be before it shrinks. A centred caption beside an icon is centred on a
// point kIconBox / 2 right of the button's middle, so the icon takes twice its overhang.
int caption_room(const tmenu& b)
{
    if (b.icon.empty()) return b.right_align == 1 ? b.width - kRightMargin : b.width - 1;
    if (b.right_align == 1) return b.width - kRightMargin - kCaptionLeftOfIcon;
    return b.width - 2 * (kCaptionLeftOfIcon - kIconBox / 2);
}

void draw_button(Game& game, const tmenu& b, Colour brush)
{
    Canvas& cg = game.cg;
    cg.rectangle(b.x, b.y, b.x + b.width, b.y + b.height, Pen{kGrey, 1}, brush);

    // The caption shrinks from 12 down to 8 points until it fits, a caption flush right within its
    // margin, and clear of the icon with the same room on its right as on its left; at 8 it may
    // overflow.
    Font font{kCaptionSize, true};
    Extent size = cg.text_extent(b.caption, font);
    const int room = caption_room(b);
    while (size.width > room && font.size > kSmallestCaption) {
        font.size -= 1;
        size = cg.text_extent(b.caption, font);
    }

    int base = b.x;
    if (!b.icon.empty()) {
        const int top = b.y + b.height / 2 - kIconBox / 2;
        cg.stretch_draw(get_picture(game, b.icon), b.x + kIconLeft, top, b.x + kIconLeft + kIconBox, top + kIconBox);
        base = b.x + kIconBox / 2;
    }
    const int y = b.y + (b.height - size.height) / 2;
    const int x = b.right_align == 1 ? b.x + b.width - size.width - kRightMargin : base + (b.width - size.width) / 2;
    cg.text(x, y, b.caption, font, b.enabled == 1 ? kWhite : kGrey, brush);
}

void draw_hint(Game& game, const tmenu& b)
{
    const Extent size = game.cg.text_extent(b.hint, kHintFont);
    game.cg.text(b.x - size.width - 10, b.y + (b.height - size.height) / 2, b.hint, kHintFont, kGrey, Colour{0});
}

} // namespace

tmenu& menu_entry(Game& game, int index, std::int32_t key, const std::string& caption, std::int32_t command, int width)
{
    tmenu& b = game.menu_buttons[static_cast<std::size_t>(index)];
    b.menu = key;
    b.caption = caption;
    b.command = command;
    b.width = width;
    b.height = 45;
    b.right_align = 0;
    b.back_to = 0;
    b.icon.clear();
    b.hint.clear();
    b.locked = 0;
    return b;
}

void hide_all_buttons(Game& game)
{
    for (tmenu& b : game.menu_buttons) b.visible = 0;
}

void place_button(Game& game, int index)
{
    if (index < 0 || index >= kMenuButtons) return;
    tmenu& b = game.menu_buttons[static_cast<std::size_t>(index)];
    b.visible = 1;
    b.enabled = 1;
    b.target_x = kMenuRightEdge - b.width;
    // Neighbours overlap by one pixel and share a border line; rows are placed at once.
    b.target_y = 10 + (b.height - 1) * game.menu_row_count;
    b.y = b.target_y;
    if (b.back_to != 0) game.back_menu = b.back_to;
    game.menu_row_count += 1;
}

void show_menu(Game& game, std::int32_t key)
{
    play_sound(game, Sound::menu);
    hide_all_buttons(game);
    const std::int32_t before = game.open_menu;
    game.back_menu = 0;
    game.open_menu = key;
    build_menus(game);
    game.menu_row_count = 0;
    for (int i = 0; i < kMenuButtons; ++i) {
        const tmenu& b = game.menu_buttons[static_cast<std::size_t>(i)];
        if (b.menu == key && !b.caption.empty()) place_button(game, i);
    }
    // A menu with no button at all (a key no record carries) would leave the player nowhere to
    // click: a right click then goes back to the menu it replaced.
    if (game.menu_row_count == 0 && game.back_menu == 0 && before != key) game.back_menu = before;
}

int button_pass(Game& game)
{
    // A dialogue line on screen: no button is drawn, hovered or clicked.
    if (!game.line_queue[0].empty()) return 0;
    game.hovered_button = 0;
    for (int i = 0; i < kMenuButtons; ++i) {
        tmenu& b = game.menu_buttons[static_cast<std::size_t>(i)];
        if (b.visible != 1) continue;
        b.x = slide(b.x, b.target_x);
        b.y = slide(b.y, b.target_y);
        if (b.locked >= 1) b.enabled = 0;
        Colour brush = 0x000000;
        if (b.x <= game.mouse_x && game.mouse_x < b.x + b.width && b.y <= game.mouse_y &&
            game.mouse_y < b.y + b.height - 1) {
            game.hovered_button = i; // a later record wins where buttons overlap
            if (!b.hint.empty()) draw_hint(game, b);
            brush = blink_colour(game);
        }
        draw_button(game, b, brush);
    }
    if (game.click_pending < 1) return 0;
    game.click_pending = 0;
    if (game.hovered_button == 0) return 0;
    return game.menu_buttons[static_cast<std::size_t>(game.hovered_button)].enabled == 1 ? game.hovered_button : 0;
}

} // namespace zen
