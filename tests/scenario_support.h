#pragma once
// For the scenario tests of the real program: the save file it leaves, line by line, and the
// order of the lines in its trace.
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace zen::test {

// A path quoted for the shell.
inline std::string q(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

// my.dat as numbers, line 1 first (index 0 unused).
inline std::vector<long long> save_lines(const std::filesystem::path& file)
{
    std::vector<long long> v{0};
    std::istringstream in(read_file(file));
    std::string line;
    while (std::getline(in, line)) v.push_back(std::stoll(line));
    return v;
}

inline void set_save_line(const std::filesystem::path& file, int number, long long value)
{
    std::vector<long long> v = save_lines(file);
    v.at(static_cast<std::size_t>(number)) = value;
    std::string text;
    for (std::size_t i = 1; i < v.size(); ++i) text += std::to_string(v[i]) + "\r\n";
    write_file(file, text);
}

// Lines of the save file.
constexpr int kSaveDay = 2;
constexpr int kSaveEnergy = 3;
constexpr int kSaveMoney = 5;
constexpr int kSaveItemCount = 6; // + catalog id
constexpr int kSaveStoryFlag = 1006;
constexpr int kSaveHour = 2006;
constexpr int kSaveMinute = 2007;
constexpr int kSaveHunger = 2008;
constexpr int kSaveFatigue = 2009;
constexpr int kSaveExp = 2011;
constexpr int kSaveStage = 2012;
constexpr int kSaveGameOver = 2013;
constexpr int kSaveSales = 2014;
constexpr int kSaveAdPower = 2015;     // + stage
constexpr int kSaveStageClears = 2115; // + stage
constexpr int kSaveGenreKnown = 2216;  // + catalog id
constexpr int kSaveLoans = 3317;
constexpr int kSaveNewsIndex = 3318;
constexpr int kSaveNewsRead = 3319; // + entry

// The order the given lines appear in the trace; fails on the first one missing.
inline void expect_in_order(const std::string& trace, const std::vector<std::string>& lines)
{
    std::size_t at = 0;
    for (const std::string& line : lines) {
        const auto found = trace.find(line + "\n", at);
        ASSERT_NE(found, std::string::npos) << "missing, or out of order: " << line << "\n" << trace;
        at = found + line.size();
    }
}

} // namespace zen::test
