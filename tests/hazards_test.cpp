#include "street/hazards.h"

#include "core/game_state.h"
#include "street/sales_floor.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace zen {
namespace {

using test::StreetGame;

tman& fig(Game& game, int slot) { return game.street_figures[static_cast<std::size_t>(slot)]; }

// A street where nobody comes by on their own: the hazards under test are spawned by hand.
void no_passers_by(Game& game) { game.map_table.edit(game.stage)->customer_slots = {}; }

int effects_of_kind(const Game& game, FxKind kind)
{
    int n = 0;
    for (int s = 0; s < EffectsRing::kSlots; ++s)
        n += game.effects.fx_age[static_cast<std::size_t>(s)] >= 1 &&
             game.effects.fx_kind[static_cast<std::size_t>(s)] == kind;
    return n;
}

// Spawns a hazard and returns its slot.
int spawn(StreetGame& g, int id, int x = 0, int y = 0)
{
    EXPECT_TRUE(spawn_figure(*g, id, x, y)) << id;
    return g->spawn_cursor;
}

// A customer standing still at (x, y), done shopping.
int place_customer(StreetGame& g, int x, int y)
{
    const int s = spawn(g, 1);
    tman& c = fig(*g, s);
    c.x = c.target_x = x;
    c.y = c.target_y = y;
    c.visited = 2;
    return s;
}

TEST(HazardArrival, OnlyWithGamesOnTheTableAndAtOnceAfterALongWait)
{
    StreetGame g(2);
    no_passers_by(*g);
    g.ticks(1000);
    EXPECT_EQ(g.live(200), 0);
    EXPECT_GE(g->hazard_timer, 1000);
    // The table is laid out after the arrivals: the first tick with stock counts it, the next one
    // brings the dog the long wait has earned.
    g->my.item_count[1] = 1;
    g.ticks(1);
    EXPECT_EQ(g.live(200), 0);
    g.ticks(1);
    EXPECT_EQ(g.live(200), 1);
    EXPECT_EQ(g->hazard_timer, 0);
    EXPECT_NE(g.take_trace().find("sound dog.wav\n"), std::string::npos);

    // Without a stage no bomb, explosion or wall of fire comes by itself.
    StreetGame none(1);
    none->stage = 0;
    none->my.item_count[1] = 1;
    for (int i = 0; i < 300; ++i) {
        none.ticks(1);
        ASSERT_EQ(none.live(206) + none.live(204) + none.live(203), 0) << i;
    }

    // Stage 1 has no hazard at all; from stage 7 on they come twice as often.
    StreetGame quiet(1);
    quiet->my.item_count[1] = 1;
    quiet.ticks(300);
    for (const tman& f : quiet->street_figures) EXPECT_FALSE(f.age >= 1 && f.role == kRoleHazard);
    // 1 in n a tick and at the latest after n: n (1 - (1 - 1/n)^n) ticks apart on average.
    for (int stage : {3, 9}) {
        StreetGame h(stage);
        no_passers_by(*h);
        h->my.item_count[1] = 1;
        int arrivals = 0;
        for (int i = 0; i < 10000; ++i) {
            h.ticks(1);
            if (h->hazard_timer == 0) ++arrivals;
            for (tman& f : h->street_figures) f.age = 0; // room for the next one
        }
        EXPECT_NEAR(10000.0 / arrivals, stage == 3 ? 63.4 : 31.8, stage == 3 ? 7.0 : 3.0) << stage;
    }
}

TEST(PlaceHazard, EachTemplateAppearsWhereItBelongs)
{
    // What a player sees of each hazard as it arrives: where it comes from, that it heads for the
    // passers-by (who walk and choose at y 290..389, the table's front at 390), and that the
    // random part of its place really varies from one arrival to the next.
    constexpr int kCrowdTop = 290;
    constexpr int kCrowdFront = 390;
    StreetGame g(2);
    std::set<int> dog_x, crossing_y, bomb_y, robot_x, meteor_x;
    for (int round = 0; round < 30; ++round) {
        g->street_figures.fill(tman{});
        g->spawn_cursor = 0;
        for (int id : {200, 210}) {
            // The dogs come down from the back of the street, on screen, into the crowd.
            const tman& dog = fig(*g, spawn(g, id));
            EXPECT_GT(dog.x, 0);
            EXPECT_LT(dog.x, kPlayWidth);
            EXPECT_LT(dog.y, kCrowdTop);
            EXPECT_GE(dog.target_y, kCrowdTop);
            EXPECT_LT(dog.target_y, kCrowdFront);
            EXPECT_EQ(dog.home_y, dog.y); // and the first one goes back up the same way
            EXPECT_EQ(dog.exit_x, dog.x);
            dog_x.insert(dog.x);
        }
        for (int id : {201, 211, 202, 212}) {
            // Cars and planes cross the whole street: they come in from beyond one edge, wholly
            // out of sight, and head for beyond the other, at the height they came in.
            const tman& f = fig(*g, spawn(g, id));
            const bool heading_right = f.target_x > f.x;
            EXPECT_EQ(heading_right, f.facing == 1);
            EXPECT_TRUE(heading_right ? f.x + f.width / 2 <= 0 : f.x - f.width / 2 >= kPlayWidth) << id;
            EXPECT_TRUE(heading_right ? f.target_x - f.width / 2 > kPlayWidth : f.target_x + f.width / 2 < 0) << id;
            EXPECT_EQ(f.target_y, f.y);
            EXPECT_LT(f.y, kCrowdTop); // behind the crowd until a car swerves into it
            crossing_y.insert(f.y);
        }
        // A bomb falls from the plane straight down and lands among the passers-by.
        const tman& bomb = fig(*g, spawn(g, 203, 321, 150));
        EXPECT_EQ(bomb.x, 321);
        EXPECT_EQ(bomb.target_x, 321);
        EXPECT_EQ(bomb.y, 150);
        EXPECT_GE(bomb.target_y, kCrowdTop);
        EXPECT_LE(bomb.target_y, kCrowdFront + 9);
        bomb_y.insert(bomb.target_y);
        for (int id : {204, 206}) {
            // An explosion and a wall of fire stand exactly where they were left.
            const tman& f = fig(*g, spawn(g, id, 222, 333));
            EXPECT_EQ(f.x, 222);
            EXPECT_EQ(f.target_x, 222);
            EXPECT_EQ(f.exit_x, 222);
            EXPECT_EQ(f.y, 333);
            EXPECT_EQ(f.target_y, 333);
        }
        for (int id : {205, 213, 207, 214}) {
            // The laser robot and the meteors drop in from the top edge, over the street and
            // never at its very edges, and stop above or in the crowd.
            const tman& f = fig(*g, spawn(g, id));
            EXPECT_EQ(f.y, 0) << id;
            EXPECT_GE(f.x, 50) << id;
            EXPECT_LT(f.x, kPlayWidth - 50) << id;
            EXPECT_LT(f.target_y, kCrowdFront) << id;
            (id == 205 || id == 213 ? robot_x : meteor_x).insert(f.x);
            if (id == 207 || id == 214) {
                EXPECT_GE(f.target_x, 50);
                EXPECT_LT(f.target_x, kPlayWidth - 50);
                EXPECT_EQ(f.exit_x, f.target_x);
                EXPECT_EQ(f.home_y, f.target_y); // a meteor stays where it struck
                EXPECT_GE(f.target_y, kCrowdTop - 15);
            } else {
                EXPECT_EQ(f.target_x, f.x);
                EXPECT_EQ(f.home_y, 0);
            }
        }
    }
    // Thirty arrivals of each: the random part of each place takes more than one value.
    for (const std::set<int>* seen : {&dog_x, &crossing_y, &bomb_y, &robot_x, &meteor_x}) EXPECT_GT(seen->size(), 5u);
    const std::string trace = g.take_trace();
    for (const char* sound : {"dog.wav", "car.wav", "air.wav", "bill.wav", "meteo.wav"})
        EXPECT_NE(trace.find(std::string("sound ") + sound + "\n"), std::string::npos) << sound;
}

TEST(HazardStep, TheDogsComeDownAndLeaveTheirOwnWays)
{
    StreetGame g(2);
    no_passers_by(*g);
    // The first dog goes back up to where it came from and is removed there, on the screen.
    const int s = spawn(g, 200);
    tman& dog = fig(*g, s);
    int lowest = 0;
    int guard = 0;
    while (dog.age != 0 && ++guard < 200) {
        g.ticks(1);
        lowest = std::max(lowest, dog.y);
    }
    EXPECT_EQ(lowest, 380);
    EXPECT_EQ(dog.state, 1);
    EXPECT_EQ(dog.y, 247);
    EXPECT_EQ(dog.x, dog.exit_x);

    // The second-cycle dog runs sideways, down into the crowd, turns and leaves one pixel past the bound.
    g->street_figures.fill(tman{});
    const int t = spawn(g, 210);
    tman& other = fig(*g, t);
    const int first_facing = other.facing;
    std::set<int> phases;
    guard = 0;
    while (other.age != 0 && ++guard < 500) {
        g.ticks(1);
        phases.insert(other.state);
        if (other.state == 1) {
            EXPECT_EQ(other.target_x, first_facing == 0 ? 50 : 750);
        }
    }
    EXPECT_EQ(phases, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(other.facing, 1 - first_facing);
    EXPECT_GE(other.y, 350);
    EXPECT_LE(other.y, 379);
    EXPECT_EQ(other.x, other.target_x);
    EXPECT_EQ(other.x, other.facing == 1 ? other.width + 801 : -other.width - 1);
}

TEST(HazardStep, CarsSwerveIntoTheLane)
{
    StreetGame g(3);
    no_passers_by(*g);
    tman& car = fig(*g, spawn(g, 201));
    car.speed = 0; // keep it on the screen
    g.take_trace();
    g.ticks(18); // age 19
    EXPECT_EQ(car.state, 0);
    g.ticks(1);
    EXPECT_EQ(car.state, 1);
    EXPECT_EQ(car.age, 1);
    EXPECT_GE(car.target_y, 300);
    EXPECT_LE(car.target_y, 339);
    EXPECT_NE(g.take_trace().find("sound car2.wav\n"), std::string::npos);
    g.ticks(19);
    EXPECT_EQ(car.state, 2);
    EXPECT_EQ(car.target_y, car.home_y);
    g.ticks(100);
    EXPECT_EQ(car.state, 2);

    tman& fast = fig(*g, spawn(g, 211));
    fast.speed = 0;
    std::vector<int> swerves;
    for (int i = 0; i < 60; ++i) {
        const int before = fast.state;
        g.ticks(1);
        if (fast.state != before) swerves.push_back(fast.target_y);
    }
    ASSERT_EQ(swerves.size(), 4u);
    EXPECT_GE(swerves[0], 300);
    EXPECT_GE(swerves[1], 280);
    EXPECT_LE(swerves[1], 299);
    EXPECT_GE(swerves[2], 300);
    EXPECT_EQ(swerves[3], fast.home_y);
}

TEST(HazardStep, APlaneDropsFourBombsAtMostAndEachExplodesWhereItLands)
{
    StreetGame g(4);
    no_passers_by(*g);
    const int p = spawn(g, 202);
    tman& plane = fig(*g, p);
    plane.x = plane.target_x = 400; // hovering, so it has all the time it wants
    int bombs = 0;
    std::set<int> bomb_slots;
    for (int i = 0; i < 600; ++i) {
        g.ticks(1);
        for (int s = 0; s < kStreetSlots; ++s) {
            const tman& f = fig(*g, s);
            if (f.age >= 1 && f.man_id == 203 && bomb_slots.insert(s).second) ++bombs;
        }
    }
    EXPECT_EQ(bombs, 4);
    EXPECT_EQ(plane.state, 4);

    // A bomb explodes exactly at its target height; the explosion is gone once its age passes 9.
    g->street_figures.fill(tman{});
    const int b = spawn(g, 203, 500, 130);
    tman& bomb = fig(*g, b);
    const int land = bomb.target_y;
    int guard = 0;
    while (bomb.age != 0 && ++guard < 200) {
        EXPECT_LT(bomb.y, land);
        g.ticks(1);
    }
    EXPECT_EQ(bomb.y, land);
    EXPECT_NE(g.take_trace().find("sound bom2.wav\n"), std::string::npos);
    const int e = g.slot_of(204);
    ASSERT_GE(e, 0);
    tman& explosion = fig(*g, e);
    EXPECT_EQ(explosion.x, 500);
    EXPECT_EQ(explosion.y, land);
    int last_age = 0;
    while (explosion.age != 0 && ++guard < 300) {
        last_age = explosion.age;
        g.ticks(1);
    }
    EXPECT_EQ(last_age, 9);
}

TEST(HazardStep, AMeteorStrikesWithAShakeAndFourExplosions)
{
    StreetGame g(6);
    no_passers_by(*g);
    // Explosions in a colour nothing else on the street has, to see which of them are drawn.
    constexpr std::uint32_t kBlast = 0xFF00FF;
    g->char_bitmaps[204].resize(4, 60);
    g->char_bitmaps[204].fill(kBlast);
    g->char_bitmaps[204].set_transparent(false);
    const int m = spawn(g, 207);
    tman& meteor = fig(*g, m);
    // Low, so two of the explosions land below the last depth band, beside a customer at the table.
    meteor.target_y = 374;
    g.take_trace();
    int guard = 0;
    while (meteor.age != 0 && ++guard < 200) g.ticks(1);
    ASSERT_EQ(meteor.y, 374);
    const int x = meteor.x;
    EXPECT_NE(g.take_trace().find("sound baku.wav\n"), std::string::npos);
    EXPECT_EQ(effects_of_kind(*g, FxKind::shake), 1);
    EXPECT_EQ(effects_of_kind(*g, FxKind::explosion), 1);
    std::multiset<std::pair<int, int>> spots;
    for (const tman& f : g->street_figures)
        if (f.age >= 1 && f.man_id == 204) spots.insert({f.x, f.y});
    const std::multiset<std::pair<int, int>> pattern{{x - 40, 374}, {x - 20, 414}, {x, 374}, {x + 20, 414}};
    EXPECT_EQ(spots, pattern);

    // The low ones are never drawn and never run over the customer they stand on; they give their
    // slots back at the next tick, while the high ones burn on for their ten ticks.
    const int customer = place_customer(g, x + 20, 389);
    g.ticks(1);
    EXPECT_GE(fig(*g, customer).age, 1);
    std::multiset<std::pair<int, int>> burning;
    for (const tman& f : g->street_figures)
        if (f.age >= 1 && f.man_id == 204) burning.insert({f.x, f.y});
    EXPECT_EQ(burning, (std::multiset<std::pair<int, int>>{{x - 40, 374}, {x, 374}}));
    EXPECT_EQ(g->cg.pixel(x, 370), kBlast);
    EXPECT_NE(g->cg.pixel(x + 20, 410), kBlast);
    EXPECT_NE(g->cg.pixel(x - 20, 410), kBlast);
    g.ticks(10);
    EXPECT_EQ(g.live(204), 0);
    EXPECT_GE(fig(*g, customer).age, 1);
}

TEST(HazardStep, TheLaserRobotFiresLeavesFireAndKeepsItsSlotOutOfSight)
{
    StreetGame g(5);
    no_passers_by(*g);
    const int r = spawn(g, 205);
    tman& robot = fig(*g, r);
    const int speed = robot.speed;
    int guard = 0;
    while (robot.state == 0 && ++guard < 100) g.ticks(1);
    EXPECT_EQ(robot.speed, speed / 2);
    EXPECT_EQ(robot.y, robot.target_y);
    const int x = robot.x;
    const int y = robot.y;
    g.take_trace();
    g.ticks(4);
    EXPECT_EQ(robot.state, 2);
    EXPECT_NE(g.take_trace().find("sound lazer.wav\n"), std::string::npos);
    const auto beam = static_cast<std::size_t>(g->effects.fx_cursor);
    EXPECT_EQ(g->effects.fx_kind[beam], FxKind::laser);
    EXPECT_EQ(g->effects.fx_x0[beam], x);
    EXPECT_EQ(g->effects.fx_y0[beam], y);
    EXPECT_EQ(g->effects.fx_y[beam], y + robot.height / 2);
    g.ticks(4);
    EXPECT_EQ(robot.state, 3);
    EXPECT_NE(g.take_trace().find("sound fire.wav\n"), std::string::npos);
    const int fire = g.slot_of(206);
    ASSERT_GE(fire, 0);
    EXPECT_EQ(fig(*g, fire).x, x);
    EXPECT_EQ(fig(*g, fire).y, y + robot.height / 2 + 20);
    g.ticks(300);
    EXPECT_EQ(robot.y, 0);
    EXPECT_GE(robot.age, 300);
    EXPECT_EQ(g.live(206), 0);
    // Only a rocket frees the slot, and it pays the reward.
    g->my.rpg_ammo = 1;
    EXPECT_TRUE(rpg_shot(*g));
    EXPECT_EQ(robot.age, 0);
    EXPECT_EQ(g->my.money, 200);
}

TEST(HazardStep, HazardsRunOverCustomersTheyTouch)
{
    StreetGame g(2);
    no_passers_by(*g);
    // A standing explosion: a customer walking into it is lost.
    const int boom = spawn(g, 204, 400, 350);
    const int kid_w = g->char_bitmaps[1].width();
    const int kid_h = g->char_bitmaps[1].height();
    const int hit = place_customer(g, 400 + fig(*g, boom).width / 3 + kid_w / 3, 350);
    const int miss = place_customer(g, 400 + fig(*g, boom).width / 3 + kid_w / 3 + 1, 350);
    const int rabbit = spawn(g, 100);
    fig(*g, rabbit).x = fig(*g, rabbit).target_x = 400;
    fig(*g, rabbit).y = fig(*g, rabbit).target_y = 350;
    const int dog = spawn(g, 200);
    fig(*g, dog).x = fig(*g, dog).target_x = 400;
    fig(*g, dog).y = fig(*g, dog).target_y = 350;
    fig(*g, dog).state = 5; // a phase of no movement
    g.take_trace();
    g.ticks(1);
    EXPECT_EQ(fig(*g, hit).age, 0);
    EXPECT_GE(fig(*g, miss).age, 1);
    EXPECT_GE(fig(*g, rabbit).age, 1); // animals and other hazards are never run over
    EXPECT_GE(fig(*g, dog).age, 1);
    EXPECT_GE(fig(*g, boom).age, 1);
    EXPECT_EQ(effects_of_kind(*g, FxKind::sparks), 1);
    EXPECT_NE(g.take_trace().find("sound kid.wav\nsound taiatari.wav\n"), std::string::npos);

    // Height: the hazard reaches down to its feet and up its full height; a customer's upper half counts.
    g->street_figures.fill(tman{});
    const int car = spawn(g, 201);
    tman& c = fig(*g, car);
    c.speed = 0;
    c.x = c.target_x = 300;
    c.y = c.target_y = 200;
    const int above = place_customer(g, 300, 200 - c.height - 1);
    const int below = place_customer(g, 300, 200 + kid_h / 2 + 1);
    const int touching = place_customer(g, 300, 200 + kid_h / 2);
    g.ticks(1);
    EXPECT_GE(fig(*g, above).age, 1);
    EXPECT_GE(fig(*g, below).age, 1);
    EXPECT_EQ(fig(*g, touching).age, 0);
}

TEST(RpgShot, DestroysEveryHazardThatCanBeDestroyedAndPaysTheSum)
{
    StreetGame g(2);
    g->my.rpg_ammo = 2;
    const int dog = spawn(g, 200);
    const int car = spawn(g, 201);
    const int plane = spawn(g, 202);
    const int boom = spawn(g, 204, 100, 300);
    const int fire = spawn(g, 206, 200, 300);
    const int kid = spawn(g, 1);
    g.take_trace();
    EXPECT_TRUE(rpg_shot(*g));
    EXPECT_EQ(g->my.rpg_ammo, 1);
    for (int s : {dog, car, plane}) EXPECT_EQ(fig(*g, s).age, 0);
    for (int s : {boom, fire, kid}) EXPECT_EQ(fig(*g, s).age, 1);
    EXPECT_EQ(g->my.money, 40 + 80 + 100);
    const std::string trace = g.take_trace();
    EXPECT_NE(trace.find("sound rpg.wav\nmessage silver RPGを撃った！！(残り弾:1)\n"), std::string::npos) << trace;
    for (const char* line : {"お金 40円を入手", "お金 80円を入手", "お金 100円を入手"})
        EXPECT_NE(trace.find(std::string("message yellow2 ") + line + "\n"), std::string::npos) << line;
    EXPECT_EQ(effects_of_kind(*g, FxKind::shake), 1);
    EXPECT_EQ(effects_of_kind(*g, FxKind::explosion), 1);
    EXPECT_EQ(effects_of_kind(*g, FxKind::fire_burst), 3);
    EXPECT_EQ(effects_of_kind(*g, FxKind::smoke), 3);
    std::multiset<std::string> rewards;
    for (int s = 0; s < EffectsRing::kSlots; ++s)
        if (g->effects.fx_kind[static_cast<std::size_t>(s)] == FxKind::text)
            rewards.insert(g->effects.fx_text[static_cast<std::size_t>(s)]);
    EXPECT_EQ(rewards, (std::multiset<std::string>{"+\\40", "+\\80", "+\\100"}));

    // With no rocket left nothing happens but the message; a count edited below 0 is none.
    for (int ammo : {0, -5}) {
        g->my.rpg_ammo = ammo;
        const int money = g->my.money;
        spawn(g, 200);
        g.take_trace();
        EXPECT_FALSE(rpg_shot(*g));
        EXPECT_EQ(g->my.rpg_ammo, ammo);
        EXPECT_EQ(g->my.money, money);
        EXPECT_EQ(g.live(200), ammo == 0 ? 1 : 2);
        EXPECT_EQ(g.take_trace(), "message silver RPGの弾がありません・・・\n");
    }
}

} // namespace
} // namespace zen
