// The save reader on any text: it never crashes or overflows, every field it fills holds what its
// field can hold, what it writes back reads back to the same text, and the status panel of a
// running stage computes safely from whatever was read.
#include "app/save_file.h"
#include "content/stages.h"
#include "core/game_state.h"
#include "render/status_panel.h"

#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

struct World {
    zen::Platform platform = zen::make_headless_platform(zen::Paths{});
    zen::Game first{platform, 1};
    zen::Game second{platform, 1};
    zen::Canvas panel; // no typeface: the panel's numbers are computed, its texts not drawn
    World()
    {
        zen::build_stage_tables(first);
        panel.resize(zen::kPlayWidth, zen::kPlayHeight);
    }
};

World* world = nullptr;

void check(bool ok)
{
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    world = new World();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    using namespace zen;
    Game& g = world->first;
    g.my = tmy{};
    g.stage = 0;
    read_save_text(g, std::string_view(reinterpret_cast<const char*>(data), size));
    check(g.stage >= 0 && g.stage <= 12);
    check(g.my.news_index >= 0 && g.my.news_index <= 99);
    check(g.my.money <= kMoneyLimit);
    check(g.my.day >= 0 && g.my.level >= 0);
    for (int i = 0; i < 100; ++i) check(g.my.ad_power[i] >= 0 && g.my.stage_clears[i] >= 0);

    // Saved and read again: the same fields, the same text.
    const std::string text = save_text(g);
    Game& h = world->second;
    h.my = tmy{};
    h.stage = 0;
    check(read_save_text(h, text).problem == SaveReading::Problem::none);
    check(save_text(h) == text);

    // The panel of a stage in progress with these values.
    if (g.stage == 0) g.stage = 1;
    g.open_menu = kMenuSalesFloor;
    status_panel(g, world->panel);
    status_panel_level(g, world->panel);
    return 0;
}
