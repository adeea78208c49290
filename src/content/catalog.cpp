// The catalog: the thirteen genres the player can make and the upgrades the shop sells.
// Each table below reads one row per line, in catalog order.
#include "content/catalog.h"

#include "core/game_state.h"

namespace zen {
namespace {

struct GenreRow {
    int id;
    const char* name;
    const char* picture;
    int price;       // yen a customer pays for one copy
    int energy_cost; // energy to make one copy; also its base experience
};

// Note the pictures of genres 3 and 4: 3 is drawn with game04.bmp and 4 with game03.bmp.
constexpr GenreRow kGenres[] = {
    // id, name, picture, price, energy_cost
    {1, "ミニゲーム『ころりんぱ』", "game01.bmp", 100, 1},
    {2, "ショーてぃんぐ『ネビュラ・ゼロ』", "game02.bmp", 240, 2},
    {3, "SLG『おしゃれ舞踏会』", "game04.bmp", 400, 3},
    {4, "SLG『湖のパン屋さん』", "game03.bmp", 580, 4},
    {5, "恋愛SLG『王子様てんこ盛り希望』", "game05.bmp", 780, 5},
    {6, "RPG『ASHEN CROWN』", "game06.bmp", 1000, 6},
    {7, "格闘ACT『拳骨DIMENSION-Z』", "game07.bmp", 1240, 7},
    {8, "FPS『K-STORM FRONT』", "game08.bmp", 1500, 8},
    {9, "Online『Cloudmoss』", "game09.bmp", 1800, 9},
    {10, "ダンジョンゲーム『迷宮のミレーヌ』", "game10.bmp", 2150, 10},
    {11, "スマホゲーム『じいさんと湖』", "game11.bmp", 2500, 11},
    {12, "アナログゲーム『ちくわ忍者』", "game12.bmp", 3000, 12},
    {13, "魔のゲーム『ＺＸＱ』", "game13.bmp", 3600, 13},
};

struct ItemRow {
    int id;
    const char* name;
    const char* description;
    int price;
    int prerequisite; // the entry that must be held before the shop offers this one; 0 = none
    int min_stage;
    int min_level;
};

// The shop, line by line: launcher 50-52, voice 100-105, sleep 110-114, meals 120-124,
// gun 130-139, energy recovery 140-149 and 200, extra copies 150-190, then the three late
// multipliers 201-203.
constexpr ItemRow kItems[] = {
    // id, name, description, price, prerequisite, min_stage, min_level
    {50, "ＲＰＧランチャー", "ボムを放てるようになります。(弾は睡眠時に補充。最大1)", 5000, 0, 7, 0},
    {51, "ランチャーストック", "RPG弾の最大所持数+1", 10000, 50, 9, 0},
    {52, "ランチャーストックⅡ", "RPG弾の最大所持数+1", 15000, 51, 11, 0},
    {100, "メガホン", "声を出す最大回数が +1", 500, 0, 1, 0},
    {101, "笛", "声を出す最大回数が +1", 1000, 100, 2, 0},
    {102, "拡声器", "声を出す最大回数が +1", 2000, 101, 3, 0},
    {103, "追加スピーカー", "声を出す最大回数が +1", 4000, 102, 4, 0},
    {104, "大型アンプ", "声を出す最大回数が +1", 8000, 103, 5, 0},
    {105, "洗脳マシン", "声を出す最大回数が +1", 16000, 104, 6, 0},
    {110, "毛布", "睡眠時のMP回復量が +1", 350, 0, 2, 0},
    {111, "枕", "睡眠時のMP回復量が +1", 700, 110, 3, 0},
    {112, "綺麗なシーツ", "睡眠時のMP回復量が +1", 1400, 111, 4, 0},
    {113, "よく眠れるお香", "睡眠時のMP回復量が +1", 2800, 112, 5, 0},
    {114, "天蓋付きベッド", "睡眠時のMP回復量が +1", 5600, 113, 6, 0},
    {120, "お箸", "お腹の回復量が +2", 400, 0, 2, 0},
    {121, "スプーン", "お腹の回復量が +2", 800, 120, 3, 0},
    {122, "割れてないお皿", "お腹の回復量が +2", 1600, 121, 4, 0},
    {123, "有田焼お茶碗", "お腹の回復量が +2", 3200, 122, 5, 0},
    {124, "銀食器", "お腹の回復量が +2", 6400, 123, 6, 0},
    {130, "堅いビー玉", "銃弾の威力+1", 600, 0, 2, 0},
    {131, "パチンコ玉", "銃弾の威力+1", 1200, 130, 3, 0},
    {132, "ホローポイント", "銃弾の威力+1", 2400, 131, 4, 0},
    {133, "ＶＩＸＥ弾", "銃弾の威力+1", 4800, 132, 5, 0},
    {134, "ＱＴＲＮ", "銃弾の威力+1", 9600, 133, 6, 0},
    {135, "ワゴン銃", "銃弾の威力+2", 15000, 134, 7, 0},
    {136, "ベルナデット銃", "銃弾の威力+2", 20800, 135, 8, 0},
    {137, "スパーク・ガン", "銃弾の威力+2", 29600, 136, 9, 0},
    {138, "ﾏｶﾛﾌ･ｸﾞﾘｰﾝﾌｨｰﾙﾄﾞ", "銃弾の威力+2", 50600, 137, 10, 0},
    {139, "パイプ", "銃弾の威力+3", 100600, 138, 11, 0},
    {140, "積み木", "エナジー回復率UP", 400, 0, 1, 3},
    {141, "ブロックのおもちゃ", "エナジー回復率UP", 800, 140, 2, 5},
    {142, "工作キット", "エナジー回復率UP", 1600, 141, 3, 7},
    {143, "パソコン", "エナジー回復率UP", 3200, 142, 4, 9},
    {144, "ノートＰＣ", "エナジー回復率UP", 6400, 143, 5, 11},
    {145, "スマホ", "エナジー回復率UP", 12800, 144, 6, 13},
    {146, "コーラ", "エナジー回復率UP", 20200, 145, 7, 15},
    {147, "雷鳴焼酎", "エナジー回復率UP", 26400, 146, 8, 20},
    {148, "07-2918k", "エナジー回復率UP", 35800, 147, 9, 25},
    {149, "青き紋章", "エナジー回復率UP", 42800, 148, 10, 30},
    {150, "5インチドライブ", "ミニゲーム作成数が稀に+1されるように", 900, 0, 3, 5},
    {151, "フロッピードライブ", "STG作成数が稀に+1されるように", 1800, 150, 4, 8},
    {152, "CD-Rドライブ", "着せ替えゲーム作成数が稀に+1されるように", 2700, 151, 5, 11},
    {153, "DVD-Rドライブ", "湖のパン屋さんゲーム作成数が稀に+1されるように", 5400, 152, 6, 14},
    {154, "MOドライブ", "恋愛ゲーム作成数が稀に+1されるように", 10800, 153, 7, 17},
    {155, "BLUE-RAYドライブ", "RPG作成数が稀に+1されるように", 20400, 154, 8, 20},
    {156, "K00Splendid", "格闘ゲーム作成数が稀に+1されるように", 35400, 155, 9, 25},
    {157, "AK-47", "FPS作成数が稀に+1されるように", 48400, 156, 10, 30},
    {160, "裁断機", "ミニゲーム作成数が更に稀に+1されるように", 1500, 150, 4, 9},
    {161, "レーベルプリンタ", "STG作成数作成数が更に稀に+1されるように", 3000, 151, 5, 12},
    {162, "在庫管理表", "着せ替えゲーム作成数が更に稀に+1されるように", 6000, 152, 6, 16},
    {163, "大型在庫用ラック", "湖のパン屋さんゲーム作成数が更に稀に+1されるように", 12000, 153, 7, 20},
    {164, "冬用靴下", "恋愛ゲーム作成数が更に稀に+1されるように", 24000, 154, 8, 25},
    {165, "冬用パーカー", "RPG作成数が更に稀に+1されるように", 30000, 155, 9, 30},
    {170, "Writingソフト", "ミニゲーム作成数が更に更に稀に+1されるように", 2000, 160, 5, 15},
    {171, "K-FORGE", "STG作成数が更に更に稀に+1されるように", 4000, 161, 8, 20},
    {172, "ORBIS 3", "着せ替えゲーム作成数が更に更に稀に+1されるように", 8000, 162, 9, 25},
    {180, "自宅サーバー", "ミニゲーム作成数が更に更に更に稀に+1されるように", 5000, 170, 10, 20},
    {181, "K-Tab", "STG作成数が更に更に更に稀に+1されるように", 10000, 171, 11, 25},
    {190, "K-Deck", "ミニゲーム作成数が更に更に更に更に稀に+1されるように", 20000, 180, 12, 30},
    {200, "ゲームメーカー魂", "エナジー回復率UP", 10000, 145, 6, 25},
    {201, "時代の風", "インフレが起こり、ゲームの値段が1.5倍に", 10000, 0, 11, 30},
    {202, "能力再起", "取得経験値x1.5", 20000, 0, 11, 30},
    {203, "夢", "取得経験値x2", 30000, 0, 12, 35},
};

static_assert(ids_inside<ItemTable>(kGenres) && ids_inside<ItemTable>(kItems));

} // namespace

void build_catalog(Game& game)
{
    game.item_table.reset();
    for (const GenreRow& row : kGenres) {
        titem& item = *game.item_table.edit(row.id);
        item.picture = row.picture;
        item.name = row.name;
        item.price = row.price;
        item.energy_cost = row.energy_cost;
        item.kind = kKindGenre;
    }
    for (const ItemRow& row : kItems) {
        titem& item = *game.item_table.edit(row.id);
        item.name = row.name;
        item.description = row.description;
        item.prerequisite = row.prerequisite;
        item.price = row.price;
        item.kind = kKindShopItem;
        item.min_stage = row.min_stage;
        item.min_level = row.min_level;
    }
}

} // namespace zen
