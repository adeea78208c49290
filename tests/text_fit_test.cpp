// Every text of the game, in every language, fits where it is drawn, measured with the real font:
// captions within their buttons, hints on the screen, log lines and news within the two rows of
// the message box, the status panel within its columns; and the font has every character.
#include "core/settings.h"
#include "core/texts.h"
#include "home/menu_commands.h"
#include "render/message_log.h"
#include "render/status_panel.h"
#include "rules/catalog_rules.h"
#include "test_support.h"
#include "ui/menu_buttons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zen {
namespace {

using test::HomeGame;

// Kana, full and half width: no other language writes them.
bool has_kana(std::string_view utf8)
{
    for (std::size_t i = 0; i + 2 < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const auto c1 = static_cast<unsigned char>(utf8[i + 1]);
        const auto c2 = static_cast<unsigned char>(utf8[i + 2]);
        if (c == 0xE3 && c1 >= 0x81 && c1 <= 0x83) return true;                   // U+3040..U+30FF
        if (c == 0xEF && ((c1 == 0xBD && c2 >= 0xA1) || c1 == 0xBE)) return true; // U+FF61..U+FF9F
    }
    return false;
}

// Han characters, which Japanese and Chinese write and the other languages do not.
bool has_han(std::string_view utf8)
{
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0xE4 && c <= 0xE9) return true; // U+4E00..U+9FFF
    }
    return false;
}

// Japanese and the Chinese of either script, written with Han characters and no spaces.
bool writes_han(Lang lang) { return lang == Lang::ja || language_code(lang).starts_with("zh"); }

// The languages written with spaces between words, whose rows end only there.
bool breaks_between_words(Lang lang) { return !writes_han(lang); }

// A letter of a word: Latin, Greek, Cyrillic or Hangul (syllables and jamo).
bool word_letter(char32_t c)
{
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') ||
           (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x4FF) ||
           (c >= 0x1100 && c <= 0x11FF) || (c >= 0xAC00 && c <= 0xD7A3);
}

// The first character of a UTF-8 text (0 for none; the texts are checked as UTF-8 elsewhere).
char32_t decode(std::string_view s)
{
    if (s.empty()) return 0;
    const auto lead = static_cast<unsigned char>(s[0]);
    const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = n == 1 ? lead : lead & (0x7Fu >> n);
    for (std::size_t k = 1; k < n && k < s.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(s[k]) & 0x3Fu);
    return c;
}

// The character that ends a spot of a UTF-8 text.
char32_t char_before(std::string_view s, std::size_t at)
{
    std::size_t start = at;
    while (start > 0 && (static_cast<unsigned char>(s[start - 1]) & 0xC0) == 0x80) --start;
    if (start == 0) return 0;
    --start;
    return decode(s.substr(start, at - start));
}

// Every row of a wrapped text ends where a word does: the text goes on after it with no letter
// of the same word. Rows are the text's own bytes, less the spaces at the breaks.
void expect_rows_end_between_words(const std::string& text, const std::vector<std::string>& rows)
{
    std::size_t at = 0;
    for (std::size_t r = 0; r + 1 < rows.size(); ++r) {
        const std::size_t found = text.find(rows[r], at);
        ASSERT_NE(found, std::string::npos) << "row " << r << " is not the text's own";
        at = found + rows[r].size();
        if (at >= text.size()) break;
        const char32_t before = char_before(text, at);
        const char32_t after = decode(std::string_view(text).substr(at, 4));
        EXPECT_FALSE(word_letter(before) && word_letter(after)) << "a row ends inside a word: " << rows[r];
    }
}

class TextFit : public ::testing::TestWithParam<Lang> {
protected:
    void SetUp() override
    {
        if (!g.platform.fonts || !g.platform.fonts->available()) GTEST_SKIP() << "no font on this machine";
        speak(*g, GetParam());
        g->cg.note_texts(&drawn);
    }

    // The widest text among the names of a kind ("genre_", "item_", ...), for filling a placeholder.
    std::string widest(std::initializer_list<std::string_view> prefixes, bool hints)
    {
        std::string best;
        int best_width = -1;
        for (int t = 1; t < kTextCount; ++t) {
            const std::string_view name = kTextNames[t];
            const bool hint = name.ends_with("_hint");
            if (hint != hints) continue;
            if (std::none_of(prefixes.begin(), prefixes.end(), [&](std::string_view p) { return name.starts_with(p); }))
                continue;
            const std::string text(text_in(GetParam(), static_cast<Text>(t)));
            const int w = g->cg.text_width(text, kMessageLayoutFont);
            if (w > best_width) {
                best = text;
                best_width = w;
            }
        }
        return best;
    }

    // The text with each placeholder given the widest value the game can put there.
    std::string widest_filled(Text t)
    {
        const std::string genre = widest({"genre_"}, false);
        const std::string item = widest({"genre_", "item_"}, false);
        const std::string stage = widest({"stage_"}, false);
        const std::string name = widest({"man_"}, false);
        const std::string effect = widest({"item_"}, true);
        return fill(text_in(GetParam(), t), {{"genre", genre},
                                             {"item", item},
                                             {"stage", stage},
                                             {"name", name},
                                             {"effect", effect},
                                             {"file", "my.dat.bad12"},
                                             {"version", "1.1"}});
    }

    // Every {placeholder} left is a number: the text with each of the numbers play makes, as wide
    // as they come and those a text may say in words instead.
    static std::vector<std::string> numbers_filled(const std::string& text)
    {
        std::vector<std::string> names;
        for (std::size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1)) {
            const std::size_t end = text.find('}', at);
            if (end == std::string::npos) break;
            const std::string inside = text.substr(at + 1, end - at - 1);
            names.push_back(inside.substr(0, inside.find(':')));
        }
        std::vector<std::string> filled;
        for (const char* number : {"99999", "-1", "0", "1", "-4000"}) {
            std::string t = text;
            for (const std::string& n : names) t = fill(t, {{n, number}});
            filled.push_back(t);
        }
        return filled;
    }

    // Lets the buttons slide home and draws them, the hovered one with its hint.
    void draw_menu(int hovered)
    {
        for (int pass = 0; pass < 12; ++pass) button_pass(*g);
        drawn.clear();
        if (hovered > 0) {
            const tmenu& b = g->menu_buttons[static_cast<std::size_t>(hovered)];
            g->mouse_x = b.x + 1;
            g->mouse_y = b.y + 1;
        } else {
            g->mouse_x = -100;
        }
        button_pass(*g);
    }

    // Every visible button's caption within its button, and its hint on the screen.
    void check_menu(std::int32_t key, const char* what)
    {
        SCOPED_TRACE(what);
        show_menu(*g, key);
        for (int i = 0; i < kMenuButtons; ++i) {
            if (g->menu_buttons[static_cast<std::size_t>(i)].visible != 1) continue;
            draw_menu(i);
            for (const Canvas::DrawnText& t : drawn) {
                SCOPED_TRACE(t.text);
                auto* const own = std::find_if(g->menu_buttons.begin(), g->menu_buttons.end(),
                                               [&](const tmenu& b) { return b.visible == 1 && b.caption == t.text; });
                if (own == g->menu_buttons.end()) {
                    EXPECT_EQ(t.text, g->menu_buttons[static_cast<std::size_t>(i)].hint) << "drawn by no button";
                    EXPECT_GE(t.x, 0) << "the hint runs off the screen's left edge";
                    continue;
                }
                EXPECT_EQ(g.platform.fonts->missing_glyphs(t.text), U"") << "no face has every character";
                EXPECT_GE(t.x, own->x + (own->icon.empty() ? 0 : kCaptionLeftOfIcon))
                    << (own->icon.empty() ? "the caption runs out of its button on the left"
                                          : "the caption covers its icon");
                EXPECT_LE(t.x + t.width, own->x + own->width) << "the caption runs out of its button on the right";
            }
            ++checked;
        }
    }

    HomeGame g;
    std::vector<Canvas::DrawnText> drawn;
    int checked = 0;
};

TEST_P(TextFit, EveryTextHasItsGlyphsAndEveryMessageFitsTheTwoRowsOfTheLog)
{
    Fonts* fonts = g.platform.fonts.get();
    // The face of the language's button caption, a text of its own.
    const std::string own_face = fonts->face_file(text_in(GetParam(), Text::options_play_in));
    for (int t = 1; t < kTextCount; ++t) {
        for (const std::string& text : numbers_filled(widest_filled(static_cast<Text>(t)))) {
            SCOPED_TRACE(std::string(kTextNames[t]) + ": " + text);
            EXPECT_EQ(fonts->missing_glyphs(text), U"") << "the font lacks a character";
            // Drawn with the language's own face, not one the game falls back on.
            EXPECT_EQ(fonts->face_file(text), own_face) << "drawn with another language's face";
            // A player of another language meets no Japanese.
            if (GetParam() != Lang::ja) {
                EXPECT_FALSE(has_kana(text)) << "Japanese in the text";
            }
            if (!writes_han(GetParam())) {
                EXPECT_FALSE(has_han(text)) << "Chinese characters in the text";
            }
            const std::vector<std::string> rows = wrap_message(fonts, text, GetParam(), 10);
            EXPECT_LE(rows.size(), 2u) << "longer than the two rows a message shows";
            for (const std::string& row : rows)
                EXPECT_LE(fonts->extent(row, kMessageLayoutFont).width, kMessageBoxWidth);
            // A second row is drawn indented by an ideographic space, in the same face.
            if (rows.size() > 1) {
                EXPECT_EQ(fonts->face_file("　" + rows[1]), own_face) << "the second row in another face";
            }
            if (breaks_between_words(GetParam())) expect_rows_end_between_words(text, rows);
        }
    }
}

TEST_P(TextFit, EveryMenuCaptionFitsItsButtonAndEveryHintTheScreen)
{
    tmy& my = g->my;
    g->stage = 1;
    my.level = 99;
    my.money = 999999;
    my.story_flag[0] = 1;
    my.stage_clears.fill(99);
    my.news_index = 3;
    for (std::int32_t k : {kMenuHome, kMenuAbandon, kMenuOptions, kMenuSound, kMenuWakeUp, kMenuTimeUp,
                           kMenuStageCleared, kMenuStart, kMenuStageSelect, kMenuSalesFloor})
        check_menu(k, "a fixed menu");
    my.item_count[kItemLauncher] = 1;
    my.rpg_ammo = 99;
    check_menu(kMenuSalesFloor, "the street with the launcher");

    // Every genre known, with none, one and many copies made (and a count gone wrong).
    for (const int copies : {-1, 0, 1, 99999}) {
        for (int id = kFirstGenre; id <= kLastGenre; ++id) {
            my.genre_known[static_cast<std::size_t>(id)] = 1;
            my.item_count[static_cast<std::size_t>(id)] = copies;
        }
        check_menu(kMenuMakeGame, ("making games, " + std::to_string(copies) + " copies").c_str());
    }

    // The shop, entry by entry: what is shown is bought, until nothing new is offered; and the
    // books, with no genre known yet.
    for (int id = kFirstGenre + 1; id <= kLastGenre; ++id) my.genre_known[static_cast<std::size_t>(id)] = 0;
    for (int stage : {1, 12}) {
        g->stage = stage;
        for (int round = 0; round < 30; ++round) {
            check_menu(kMenuShop, "the shop");
            bool bought = false;
            for (const tmenu& b : g->menu_buttons) {
                if (b.visible != 1 || b.item_id < 1 || held(*g, b.item_id)) continue;
                my.item_count[static_cast<std::size_t>(b.item_id)] = 1;
                bought = true;
            }
            if (!bought) break;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST_P(TextFit, TheStatusPanelKeepsToItsColumns)
{
    tmy& my = g->my;
    g->stage = 11; // the longest stage names are among the later ones; every stage is drawn below
    g->open_menu = kMenuHome;
    my.day = 7;
    my.hour = 23;
    my.minute = 57;
    my.energy = my.energy_max = 999;
    my.hunger = 100;
    my.fatigue = 100;
    my.level = 999;
    my.exp = 99999;
    my.money = 999999999;
    my.sales = 999999;
    for (int stage = 1; stage <= 12; ++stage) {
        g->stage = stage;
        my.day = stage % 2 == 0 ? 7 : 8; // the last day, and the moment the time is up
        my.ad_power[static_cast<std::size_t>(stage)] = 99;
        g->panel = StatusPanelState{};
        g->panel.shown_energy = 999;
        g->panel.shown_exp = 99999;
        drawn.clear();
        status_panel(*g, g->cg);
        status_panel_level(*g, g->cg);
        ASSERT_FALSE(drawn.empty());
        for (const Canvas::DrawnText& t : drawn) {
            SCOPED_TRACE(t.text);
            EXPECT_GE(t.x, 0);
            EXPECT_LE(t.x + t.width, kPlayWidth);
            // The lower right column stays clear of the message box at the left.
            if (t.y >= 400) {
                EXPECT_GT(t.x, kMessageBoxWidth) << "over the message box";
            }
            // The upper left lines leave room for their bars (the widest is 200 pixels).
            if (t.y < 140) {
                EXPECT_LE(t.x + t.width + 12 + 200, kPlayWidth) << "no room for its bar";
            }
        }
    }
}

std::vector<Lang> every_language()
{
    std::vector<Lang> all(kLanguageCount);
    for (int l = 0; l < kLanguageCount; ++l) all[static_cast<std::size_t>(l)] = static_cast<Lang>(l);
    return all;
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFit, ::testing::ValuesIn(every_language()),
                         [](const ::testing::TestParamInfo<Lang>& info) {
                             std::string name(language_code(info.param));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
} // namespace zen
