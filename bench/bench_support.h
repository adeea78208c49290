#pragma once
// A game on headless services for benchmarks, with the build's asset pack and a throwaway save.
#include "app/game_state.h"

#include <filesystem>
#include <memory>

namespace zen::bench {

struct BenchGame {
    BenchGame()
    {
        save_dir = std::filesystem::temp_directory_path() / "zentrifa-bench-save";
        std::filesystem::create_directories(save_dir);
        Paths paths;
        paths.data_dir = ZENTRIFA_BUILD_DIR;
        paths.save_dir = save_dir;
        platform = make_headless_platform(paths);
        game = std::make_unique<Game>(platform, 1);
    }
    std::filesystem::path save_dir;
    Platform platform;
    std::unique_ptr<Game> game;
};

} // namespace zen::bench
