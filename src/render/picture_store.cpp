#include "render/picture_store.h"

#include "core/game_state.h"
#include "platform/pictures.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace zen {

namespace {

std::uint64_t bytes_of(const Canvas& c)
{
    return static_cast<std::uint64_t>(c.width()) * static_cast<std::uint64_t>(c.height()) * 4;
}

} // namespace

std::uint64_t picture_bytes_held(const Game& game)
{
    std::uint64_t sum = bytes_of(game.cg) + bytes_of(game.bak) + bytes_of(game.haikei);
    for (const Canvas& c : game.work_bitmaps) sum += bytes_of(c);
    // Sprites of one file share their pixels: counted once.
    for (const auto* c = game.char_bitmaps.begin(); c != game.char_bitmaps.end(); ++c) {
        if (std::none_of(game.char_bitmaps.begin(), c, [&](const Canvas& o) { return o.shares_pixels_with(*c); }))
            sum += bytes_of(*c);
    }
    for (const Canvas& c : game.picture_cache) sum += bytes_of(c);
    return sum;
}

bool load_game_picture(Game& game, const std::string& name, Canvas& out)
{
    std::string error;
    Canvas loaded;
    bool ok = load_picture(game.platform.paths.picture(name), loaded, error);
    // What out holds now is given back when the new picture takes its place.
    const std::uint64_t held = ok ? picture_bytes_held(game) : 0;
    if (ok && held - std::min(held, bytes_of(out)) + bytes_of(loaded) > kPictureMemoryLimit) {
        error = "the pictures would take more than " + std::to_string(kPictureMemoryLimit >> 20) +
                " MB together; this one is left out";
        ok = false;
    }
    if (!ok) {
        if (game.bad_pictures.insert(name).second)
            std::fprintf(stderr, "zentrifa: picture %s: %s\n", name.c_str(), error.c_str());
        out.clear();
        out.set_transparent(true);
        return false;
    }
    out.assign(std::move(loaded));
    out.set_transparent(true);
    return true;
}

Canvas& get_picture(Game& game, const std::string& name)
{
    for (int i = 0; i < kPictureCacheSlots; ++i)
        if (game.picture_cache_names[static_cast<std::size_t>(i)] == name)
            return game.picture_cache[static_cast<std::size_t>(i)];
    game.picture_cache_next += 1;
    if (game.picture_cache_next > kPictureCacheSlots - 1) game.picture_cache_next = 0;
    const auto slot = static_cast<std::size_t>(game.picture_cache_next);
    game.picture_cache_names[slot] = name;
    load_game_picture(game, name, game.picture_cache[slot]);
    return game.picture_cache[slot];
}

Point picture_position(int width, int height)
{
    if (height == kPlayHeight) return {0, 0};
    return {(kPlayWidth - width) / 2, (480 - height) / 2};
}

void show_picture(Game& game, const std::string& name)
{
    Canvas picture;
    // A missing or broken background leaves the old one.
    if (!load_game_picture(game, name, picture)) return;
    game.haikei.assign(std::move(picture));
    Canvas& target = game.work_bitmaps[kWorkBackground];
    if (target.empty()) make_play_area(game, target);
    const Point p = picture_position(game.haikei.width(), game.haikei.height());
    // Not cleared first: a smaller picture lies over the previous one.
    target.copy_rect(p.x, p.y, game.haikei, 0, 0, game.haikei.width(), game.haikei.height());
    rebuild_background(game);
}

void show_script_picture(Game& game, const std::string& name)
{
    Canvas picture;
    if (!load_game_picture(game, name, picture)) return;
    Canvas& composed = game.work_bitmaps[kWorkComposed];
    if (composed.empty()) make_play_area(game, composed);
    const Point p = picture_position(picture.width(), picture.height());
    composed.copy_rect(p.x, p.y, picture, 0, 0, picture.width(), picture.height());
}

void rebuild_background(Game& game)
{
    if (game.cg_hold == 1) return;
    Canvas& composed = game.work_bitmaps[kWorkComposed];
    composed.fill(0);
    composed.copy_rect(0, 0, game.work_bitmaps[kWorkBackground], 0, 0, kPlayWidth, kPlayHeight);
    game.bg_dirty = 0;
}

} // namespace zen
