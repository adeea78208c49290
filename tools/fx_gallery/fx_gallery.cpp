// The effects gallery: each effect kind at several ages on a plain grid, the overlay combined as
// in a frame, and every colour name of the log, written as PNG contact sheets for judging by eye.
#include "fx_gallery/fx_gallery.h"

#include "content/stages.h"
#include "core/game_state.h"
#include "render/effects.h"
#include "render/message_log.h"
#include "render/status_panel.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>

namespace zen {

namespace {

namespace fs = std::filesystem;

constexpr int kCellW = 400;
constexpr int kCellH = 300;
constexpr int kLabelH = 24;
constexpr int kColumns = 3;
constexpr int kAges[] = {2, 5, 10, 20, 30, 40};

struct Sample {
    FxKind kind;
    const char* name;
    int x, y;   // where it is posted (a beam's end)
    int x0, y0; // a beam's start
    const char* text;
    bool whole; // the whole frame scaled down; otherwise a full-size crop around (x, y)
};

const Sample kSamples[] = {
    {FxKind::animal_text, "animal_text", 400, 300, 0, 0, "ありがとう！", false},
    {FxKind::energy_text, "energy_text", 400, 300, 0, 0, "MP +20", false},
    {FxKind::text, "text", 400, 300, 0, 0, "+2500円", false},
    {FxKind::level_bloom, "level_bloom", 720, 530, 0, 0, "", true},
    {FxKind::red_burst, "red_burst", 400, 300, 0, 0, "", false},
    {FxKind::explosion, "explosion", 400, 350, 0, 0, "", true},
    {FxKind::smoke, "smoke", 400, 300, 0, 0, "", false},
    {FxKind::fire_burst, "fire_burst", 400, 300, 0, 0, "", false},
    {FxKind::laser, "laser", 120, 420, 700, 80, "", true},
    {FxKind::sparks, "sparks", 400, 300, 0, 0, "", false},
    {FxKind::gun_hit, "gun_hit", 400, 300, 0, 0, "", false},
    {FxKind::animal_wave, "animal_wave", 395, 400, 0, 0, "", true},
    {FxKind::shout_wave, "shout_wave", 383, 490, 0, 0, "", true},
    {FxKind::shake, "shake", 400, 480, 0, 0, "", false},
};

// A dark neutral grey with a grid every 50 pixels (brighter every 100). Dark, because the overlay
// is ORed on: over a mid grey every glowing colour washes out toward white.
void paint_background(Canvas& c)
{
    c.fill(0x101214);
    for (int x = 0; x < 800; x += 50) c.fill_rect(x, 0, x + 1, 600, x % 100 == 0 ? 0x404448 : 0x282A2E);
    for (int y = 0; y < 600; y += 50) c.fill_rect(0, y, 800, y + 1, y % 100 == 0 ? 0x404448 : 0x282A2E);
}

void clear_ring(Game& game)
{
    game.effects.fx_age.fill(0);
    game.effects.fx_cursor = 0;
}

// One frame as the game composes it: background, effects pass, overlay ORed on.
void run_frame(Game& game, const Canvas& background)
{
    game.frame_no = (game.frame_no + 1) % 1000;
    game.cg.copy_rect(0, 0, background, 0, 0, 800, 600);
    game.bak.fill(0);
    effects_pass(game, game.cg, game.bak);
    game.cg.take_overlay(game.bak);
}

void put_cell(Canvas& sheet, int index, const Canvas& frame, const Sample& s, const std::string& label)
{
    const int cx = (index % kColumns) * kCellW;
    const int cy = (index / kColumns) * (kCellH + kLabelH);
    if (s.whole) {
        sheet.stretch_draw(frame, cx, cy, cx + kCellW, cy + kCellH);
    } else {
        const int sx = std::clamp(s.x - kCellW / 2, 0, 800 - kCellW);
        const int sy = std::clamp(s.y - kCellH / 2, 0, 600 - kCellH);
        sheet.copy_rect(cx, cy, frame, sx, sy, kCellW, kCellH);
    }
    sheet.fill_rect(cx, cy + kCellH, cx + kCellW, cy + kCellH + kLabelH, 0x000000);
    sheet.text(cx + 6, cy + kCellH + 3, label, Font{11, true}, 0xFFFFFF);
}

bool effect_sheet(Game& game, const Sample& s, const Canvas& background, const fs::path& dir)
{
    Canvas sheet;
    sheet.resize(kColumns * kCellW, 2 * (kCellH + kLabelH));
    sheet.set_fonts(game.platform.fonts.get());
    int index = 0;
    for (int age : kAges) {
        clear_ring(game);
        game.frame_no = 0;
        if (s.kind == FxKind::laser)
            add_beam(game, s.x0, s.y0, s.x, s.y, s.kind);
        else
            add_effect(game, s.x, s.y, s.kind, s.text);
        const int slot = game.effects.fx_cursor;
        int drawn = 0;
        bool alive = true;
        while (drawn < age && alive) {
            drawn = game.effects.fx_age[static_cast<std::size_t>(slot)] + 1;
            run_frame(game, background);
            alive = game.effects.fx_age[static_cast<std::size_t>(slot)] >= 1;
        }
        std::string label =
            std::string(s.name) + " (" + std::to_string(static_cast<int>(s.kind)) + ")  age " + std::to_string(drawn);
        if (!alive) label += "  - last frame";
        put_cell(sheet, index++, game.cg, s, label);
        if (!alive && drawn < age) break;
    }
    clear_ring(game);
    return sheet.save_png(dir / ("fx_" + std::to_string(static_cast<int>(s.kind)) + "_" + s.name + ".png"));
}

// Every ink five to a log, then the codes no ink posts, at three frames, with the waiting-line
// marker on the newest.
bool colour_sheet(Game& game, const fs::path& dir)
{
    struct Extra {
        std::int32_t code;
        const char* label;
    };
    static const Extra extras[] = {
        {4, "code 4 (no colour of its own)"},
        {0, "code 0 (a fresh or cleared entry)"},
        {2, "code 2 (the dark red pulse)"},
    };
    constexpr int kEntries = kInkCount + static_cast<int>(std::size(extras));
    constexpr int kStrip = 140;
    constexpr int kFrames[] = {0, 3, 5};
    const int groups = (kEntries + 4) / 5;
    Canvas sheet;
    sheet.resize(800, groups * static_cast<int>(std::size(kFrames)) * kStrip);
    sheet.set_fonts(game.platform.fonts.get());
    Canvas frame;
    make_play_area(game, frame);
    game.line_queue[0] = "…";
    int strip = 0;
    for (int g = 0; g < groups; ++g) {
        for (tmoji_efe& m : game.message_log) m = tmoji_efe{};
        // Oldest first, so the group reads top-down in the order above.
        for (int i = 4; i >= 0; --i) {
            const int n = g * 5 + (4 - i);
            if (n < kInkCount) {
                const Ink ink = static_cast<Ink>(n);
                post_message(game, std::string(ink_name(ink)) + "  ようこそ！ 売り上げ +450円 (Lv:3)", ink);
            } else if (n < kEntries) {
                const Extra& e = extras[n - kInkCount];
                post_message(game, e.label, Ink::silver);
                game.message_log[0].colour_code = e.code;
            } else {
                post_message(game, "", Ink::silver);
            }
        }
        for (int f : kFrames) {
            game.frame_no = f;
            frame.fill(0x202428);
            draw_message_log(game, frame);
            frame.text(560, 462, "frame " + std::to_string(f), Font{10, false}, 0x808080);
            sheet.copy_rect(0, strip * kStrip, frame, 0, 600 - kStrip, 800, kStrip);
            sheet.fill_rect(0, strip * kStrip, 800, strip * kStrip + 1, 0x606060);
            ++strip;
        }
    }
    game.line_queue[0].clear();
    for (tmoji_efe& m : game.message_log) m = tmoji_efe{};
    return sheet.save_png(dir / "log_colours.png");
}

// The status panel on a stage, with hunger and fatigue in their warning ranges, over frames.
bool panel_sheet(Game& game, const Canvas& background, const fs::path& dir)
{
    build_stage_tables(game);
    game.stage = 1;
    game.open_menu = 1;
    game.my.day = 2;
    game.my.hour = 14;
    game.my.minute = 3;
    game.my.energy = 35;
    game.my.energy_max = 60;
    game.my.regen_acc = 300;
    game.my.hunger = 5;
    game.my.fatigue = 95;
    game.my.sales = 4500;
    game.my.ad_power[1] = 9;
    game.my.level = 3;
    game.my.exp = 70;
    game.my.money = 123456;
    Canvas sheet;
    sheet.resize(2 * kCellW * 2, 600);
    sheet.set_fonts(game.platform.fonts.get());
    for (int f = 0; f < 12; ++f) {
        game.frame_no = f;
        game.cg.copy_rect(0, 0, background, 0, 0, 800, 600);
        status_panel(game, game.cg);
        status_panel_level(game, game.cg);
        if (f == 3) sheet.copy_rect(0, 0, game.cg, 0, 0, 800, 600);
    }
    game.frame_no = 0;
    game.cg.copy_rect(0, 0, background, 0, 0, 800, 600);
    status_panel(game, game.cg);
    status_panel_level(game, game.cg);
    sheet.copy_rect(800, 0, game.cg, 0, 0, 800, 600);
    game.stage = 0;
    return sheet.save_png(dir / "status_panel.png");
}

} // namespace

int render_fx_gallery(Game& game, const std::string& dir)
{
    std::error_code ec;
    const fs::path out(dir);
    fs::create_directories(out, ec);
    if (!fs::is_directory(out)) {
        std::fprintf(stderr, "zentrifa: cannot make the folder %s\n", dir.c_str());
        return 1;
    }
    make_play_area(game, game.cg);
    make_play_area(game, game.bak);
    Canvas background;
    background.resize(kPlayWidth, kPlayHeight);
    paint_background(background);

    bool ok = true;
    for (const Sample& s : kSamples) ok = effect_sheet(game, s, background, out) && ok;
    ok = colour_sheet(game, out) && ok;
    ok = panel_sheet(game, background, out) && ok;
    if (!ok) {
        std::fprintf(stderr, "zentrifa: cannot write the gallery into %s\n", dir.c_str());
        return 1;
    }
    std::printf("zentrifa: effects gallery written to %s\n", dir.c_str());
    return 0;
}

} // namespace zen
