// What the tests' helpers do on Windows: temporary folders with fresh names.
#include "test_support.h"

#include <random>
#include <system_error>

namespace zen::test {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::random_device seed;
    std::mt19937_64 names(seed());
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("zentrifa-test-" + std::to_string(names()));
        if (fs::create_directory(candidate, ec)) {
            path_ = candidate;
            return;
        }
    }
}

} // namespace zen::test
