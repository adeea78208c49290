#pragma once
// The save file my.dat: 3419 decimal integers, one per line, in a fixed order.
#include "platform/files.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zen {

struct Game;
struct Platform;

constexpr int kSaveLines = 3419;

// The exit code of a copy of the game started on a save folder that another running copy holds.
constexpr int kExitSaveInUse = 3;

// Writes the save through a fresh temporary file renamed over my.dat, so the old file survives
// any failure. Returns false (and tells the player, in told too when given) when it cannot be
// written, or when my.dat could not be read at the start and no copy of it exists: that file is
// never saved over.
bool save_game(Game& game, std::string* told = nullptr);

// Where a session stands, as far as saving along the way is concerned.
struct Progress {
    std::int32_t day = 0;
    std::int32_t quota_done = 0;
    std::int32_t game_over = 0;
};
Progress progress_of(const Game& game);

// Saves along the way, besides on closing: when a stage has been cleared or lost and when a new
// game day has begun since `last` (which then moves on). A save the run may not write (the file
// could not be read at the start, or another copy holds the folder) is skipped without a word,
// the player having been told at the start. True when a save was written.
bool save_on_progress(Game& game, Progress& last);

// Locks the save folder (my.dat.lock in it, made with the folder when missing) for the rest of the
// run, so that a second copy of the game started on the same folder finds the first and leaves
// the save alone. busy: another running copy holds it. failed: no lock can be had there (error
// says why); the game may play on, but clears away nothing.
FileLock::Result lock_save_folder(Platform& platform, std::string& error);

// Reads my.dat after locking the save folder (unless the run holds the lock already) and then
// clearing away what a killed save left. When another copy of the game holds the folder, nothing
// there is touched: the save is neither read nor written. A missing file starts a new game
// and writes it. A file that is not a save the game wrote (a bad value, a value its field
// cannot hold, too few lines) is read up to that point, kept aside as my.dat.bad
// (.bad2, ...), and the player is told. A file that cannot be read at all (a folder, a pipe,
// far too large) is left alone and not saved over. A copy kept aside has the permission bits of
// the file it copies.
void load_game(Game& game);

// What reading the text of a save found.
struct SaveReading {
    enum class Problem {
        none,
        empty,     // not a single value
        too_short, // ends before the stage's sales
        bad_value, // not a number, too long, or not what its field can hold
    };
    Problem problem = Problem::none;
    int line = 0; // where the problem is (for too_short: how many lines there are)
};

// Reads saved fields from text with the game's reading rules; stops at the first problem, so the
// fields from there on keep what they held.
SaveReading read_save_text(Game& game, std::string_view text);
// What the player is told of a save that reading found a problem in (empty for none), in the
// game's language; what, when given, says it for the log.
std::string save_problem(const Game& game, const SaveReading& reading, std::string* what = nullptr);
// Reads file as a save into game (a fresh one: its fields are overwritten) with the same limits
// and rules as the save found at the start: for a save brought in from elsewhere (the browser
// page's import). Returns what the player is told when it is not a good save, else empty.
std::string check_save_file(Game& game, const std::filesystem::path& file);
// The text save_game writes.
std::string save_text(const Game& game);

} // namespace zen
