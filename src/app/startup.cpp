#include "app/startup.h"

#include "app/commands.h"
#include "app/save_file.h"
#include "content/catalog.h"
#include "content/news.h"
#include "content/stages.h"
#include "core/game_state.h"
#include "core/texts.h"
#include "platform/path_text.h"
#include "render/picture_store.h"

#include <filesystem>
#include <system_error>
#include <unordered_map>

namespace zen {

std::string window_title(Lang lang) { return fill(text_in(lang, Text::window_title), {{"version", ZENTRIFA_VERSION}}); }

namespace {

// An 800 x 600 surface holding the start-up picture (black where there is none).
void full_screen_copy(Game& game, const Canvas& title, Canvas& out)
{
    make_play_area(game, out);
    out.set_transparent(true);
    out.copy_rect(0, 0, title, 0, 0, title.width(), title.height());
}

} // namespace

void load_char_bitmaps(Game& game)
{
    // Templates of the two cycles share their sprite files: each file is read once, and its
    // pixels are held once by every template that shows it.
    std::unordered_map<std::string, int> first_with_file;
    for (int id = 0; id < kCharBitmaps; ++id) {
        Canvas& sprite = game.char_bitmaps[static_cast<std::size_t>(id)];
        sprite.clear();
        sprite.set_transparent(true);
        const std::string& file = game.man_table.at(id).picture;
        if (file.empty()) continue;
        const auto [seen, is_new] = first_with_file.emplace(file, id);
        if (is_new) {
            load_game_picture(game, file, sprite);
        } else {
            sprite.share(game.char_bitmaps[static_cast<std::size_t>(seen->second)]);
        }
    }
}

bool data_folder_usable(const Paths& paths, std::string& error)
{
    std::error_code ec;
    if (std::filesystem::is_directory(paths.data_dir / "cg", ec)) return true;
    error = "no game data in " + path_utf8(paths.data_dir) + " (it has no cg/ folder of pictures); give the folder " +
            "that holds cg/ and dat/ with --data-dir";
    return false;
}

void start_up(Game& game)
{
    register_menus(game);
    Fonts* fonts = game.platform.fonts.get();

    // The start-up picture sizes the overlay and the picture decoder.
    Canvas title;
    load_game_picture(game, "title.bmp", title);
    full_screen_copy(game, title, game.bak);
    full_screen_copy(game, title, game.haikei);

    make_play_area(game, game.cg);

    game.title_step = kTitleStartScreen;

    for (Canvas& c : game.work_bitmaps) {
        c.clear();
        c.set_transparent(true);
        c.set_fonts(fonts);
    }
    full_screen_copy(game, title, game.work_bitmaps[kWorkBackground]);
    full_screen_copy(game, title, game.work_bitmaps[kWorkComposed]);
    load_game_picture(game, "desk.bmp", game.work_bitmaps[kWorkDesk]);

    build_stage_tables(game);
    load_char_bitmaps(game);

    // The cache slots start empty and cost no pixel memory until a picture comes in.
    for (int i = 0; i < kPictureCacheSlots; ++i) {
        game.picture_cache[static_cast<std::size_t>(i)].clear();
        game.picture_cache_names[static_cast<std::size_t>(i)].clear();
    }
    game.picture_cache_next = 0;

    build_news(game);
    build_catalog(game);

    load_game(game);

    if (game.platform.window) game.platform.window->set_title(window_title(game.lang));
}

bool close_game(Game& game, std::string* told)
{
    game.closing = true;
    return save_game(game, told);
}

void shut_down(Game& game)
{
    stop_music(game);
    game.wave_list.clear();
    for (Canvas& c : game.picture_cache) c.clear();
    for (std::string& n : game.picture_cache_names) n.clear();
    for (Canvas& c : game.char_bitmaps) c.clear();
    for (Canvas& c : game.work_bitmaps) c.clear();
}

} // namespace zen
