#pragma once
// Shared by the pack tests: a fresh folder, a file's bytes, and a fixture that generates one
// part of the pack once per test suite.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace pack_test {

namespace fs = std::filesystem;

inline fs::path fresh_dir(const std::string& name)
{
    fs::path d = fs::temp_directory_path() / ("zentrifa_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(d);
    fs::create_directories(d);
    return d;
}

inline std::vector<char> bytes(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

using Generator = bool (*)(const fs::path&, std::string&);

// Generates with `Generate` into a folder of its own before the suite's first test.
template <Generator Generate>
class GeneratedPack : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const ::testing::TestSuite* suite = ::testing::UnitTest::GetInstance()->current_test_suite();
        pack_dir = fresh_dir(std::string("pack_") + (suite ? suite->name() : "suite"));
        std::string error;
        pack_ok = Generate(pack_dir, error);
        pack_error = error;
    }
    static void TearDownTestSuite() { fs::remove_all(pack_dir); }
    static inline fs::path pack_dir;
    static inline bool pack_ok = false;
    static inline std::string pack_error;
};

} // namespace pack_test
