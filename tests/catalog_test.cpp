// The catalog table: what build_catalog writes into item_table.
#include "content/catalog.h"
#include "core/game_state.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

class CatalogTest : public ::testing::Test {
protected:
    void SetUp() override { zen::build_catalog(*game); }

    const zen::titem& at(int id) { return game->item_table.at(id); }

    zen::test::TestGame game{1};
};

// Decodes UTF-8 into code points; an empty result for a broken sequence.
std::vector<char32_t> code_points(const std::string& s)
{
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) return {};
        char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) return {};
            cp = (cp << 6) | (c & 0x3F);
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

TEST_F(CatalogTest, ThirteenGenresAtOneToThirteenAndSixtyThreeShopItems)
{
    int genres = 0;
    int items = 0;
    for (int id = zen::ItemTable::kFirstId; id <= zen::ItemTable::kLastId; ++id) {
        const int kind = at(id).kind;
        ASSERT_TRUE(kind == 0 || kind == 1 || kind == 2) << id;
        if (kind == 1) {
            ++genres;
            EXPECT_TRUE(id >= 1 && id <= 13) << id;
        }
        if (kind == 2) {
            ++items;
            EXPECT_TRUE(id >= 50 && id <= 203) << id;
        }
        if (kind == 0) {
            EXPECT_TRUE(at(id).name == zen::Text::none) << id;
        }
    }
    EXPECT_EQ(genres, 13);
    EXPECT_EQ(items, 63);
}

TEST_F(CatalogTest, GenreRowsCarryOnlyGenreColumns)
{
    int last_price = 0;
    for (int id = 1; id <= 13; ++id) {
        const zen::titem& g = at(id);
        SCOPED_TRACE(id);
        EXPECT_EQ(g.energy_cost, id);
        EXPECT_GT(g.price, last_price);
        last_price = g.price;
        EXPECT_EQ(g.description, zen::Text::none);
        EXPECT_EQ(g.prerequisite, 0);
        EXPECT_EQ(g.min_stage, 0);
        EXPECT_EQ(g.min_level, 0);
        EXPECT_NE(zen::test::ja(g.name).find("『"), std::string::npos);
        EXPECT_EQ(g.picture.size(), std::string("game01.bmp").size());
    }
    // The two boxes that do not carry their own number.
    EXPECT_EQ(at(3).picture, "game04.bmp");
    EXPECT_EQ(at(4).picture, "game03.bmp");
    EXPECT_EQ(at(13).picture, "game13.bmp");
    EXPECT_EQ(at(6).price, 1000);
    EXPECT_EQ(at(10).price, 2150);
}

TEST_F(CatalogTest, ShopRowsCarryOnlyShopColumns)
{
    for (int id = 0; id <= 999; ++id) {
        const zen::titem& item = at(id);
        if (item.kind != 2) continue;
        SCOPED_TRACE(id);
        EXPECT_TRUE(item.picture.empty());
        EXPECT_EQ(item.energy_cost, 0);
        EXPECT_GT(item.price, 0);
        EXPECT_NE(item.description, zen::Text::none);
        EXPECT_TRUE(item.min_stage >= 1 && item.min_stage <= 12);
    }
}

TEST_F(CatalogTest, EveryPrerequisiteIsAnEarlierShopItem)
{
    for (int id = 0; id <= 999; ++id) {
        const zen::titem& item = at(id);
        if (item.kind == 0 || item.prerequisite == 0) continue;
        SCOPED_TRACE(id);
        EXPECT_EQ(at(item.prerequisite).kind, item.kind);
        EXPECT_LT(item.prerequisite, id); // no loops: every chain starts from an entry without one
    }
}

TEST_F(CatalogTest, CrossChainPrerequisites)
{
    const std::vector<std::pair<int, int>> needs = {
        {151, 150}, {160, 150}, {170, 160}, {180, 170}, {190, 180}, {161, 151},
        {162, 152}, {163, 153}, {164, 154}, {165, 155}, {200, 145},
    };
    for (const auto& [id, prerequisite] : needs) EXPECT_EQ(at(id).prerequisite, prerequisite) << id;
    for (int id : {50, 100, 110, 120, 130, 140, 150, 201, 202, 203}) EXPECT_EQ(at(id).prerequisite, 0) << id;
}

TEST_F(CatalogTest, TextsKeepTheirWidthsAndHaveNoBackslash)
{
    // ﾏｶﾛﾌ･ｸﾞﾘｰﾝﾌｨｰﾙﾄﾞ is written in halfwidth katakana throughout.
    const std::vector<char32_t> gun = code_points(zen::test::ja(at(138).name));
    ASSERT_EQ(gun.size(), 16u);
    for (char32_t cp : gun) EXPECT_TRUE(cp >= 0xFF61 && cp <= 0xFF9F);
    // ＲＰＧランチャー begins with fullwidth letters; the second stock ends in the numeral Ⅱ.
    EXPECT_EQ(code_points(zen::test::ja(at(50).name)).front(), U'Ｒ');
    EXPECT_EQ(code_points(zen::test::ja(at(52).name)).back(), U'Ⅱ');
    EXPECT_EQ(code_points(zen::test::ja(at(13).name)), code_points("魔のゲーム『ＺＸＱ』"));

    for (int id = 0; id <= 999; ++id) {
        for (const std::string& s : {zen::test::ja(at(id).name), zen::test::ja(at(id).description), at(id).picture}) {
            EXPECT_EQ(s.find('\\'), std::string::npos) << id;
            EXPECT_EQ(s.empty(), code_points(s).empty()) << "broken UTF-8 at " << id;
        }
    }
}

TEST_F(CatalogTest, IdsOutsideTheTableAnswerEmpty)
{
    for (int id : {-1000, -2, -1, 0, 1000, 1 << 30}) {
        EXPECT_EQ(at(id).kind, 0) << id;
        EXPECT_TRUE(at(id).name == zen::Text::none) << id;
    }
}

TEST_F(CatalogTest, RebuildRestoresEveryValue)
{
    game->item_table.edit(6)->price = 1;
    game->item_table.edit(6)->shelf_x = 999;
    game->item_table.edit(138)->name = zen::Text::man_200;
    game->item_table.edit(500)->kind = 2;
    zen::build_catalog(*game);

    zen::test::TestGame fresh{2};
    zen::build_catalog(*fresh);
    for (int id = zen::ItemTable::kFirstId; id <= zen::ItemTable::kLastId; ++id) {
        const zen::titem& a = at(id);
        const zen::titem& b = fresh->item_table.at(id);
        ASSERT_EQ(a.name, b.name) << id;
        ASSERT_EQ(a.description, b.description) << id;
        ASSERT_EQ(a.picture, b.picture) << id;
        ASSERT_EQ(a.price, b.price) << id;
        ASSERT_EQ(a.shelf_x, b.shelf_x) << id;
        ASSERT_EQ(a.kind, b.kind) << id;
        ASSERT_EQ(a.prerequisite, b.prerequisite) << id;
    }
}

} // namespace
