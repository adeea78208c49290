#include "test_support.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include <png.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>

namespace zen::test {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "zentrifa-test-XXXXXX").string();
    if (char* made = ::mkdtemp(pattern.data())) path_ = made;
}

TempDir::~TempDir()
{
    std::error_code ec;
    // A test may have made the folder read-only; give it back before removing.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

fs::path build_dir() { return ZENTRIFA_BUILD_DIR; }

TestGame::TestGame(std::uint64_t seed, const fs::path& data_dir)
{
    Paths paths;
    paths.data_dir = data_dir.empty() ? build_dir() : data_dir;
    paths.save_dir = save_dir.path();
    platform = make_headless_platform(paths);
    game = std::make_unique<Game>(platform, seed);
}

FileSizeLimit::FileSizeLimit(long max_bytes)
{
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    saved_cur_ = static_cast<long>(limit.rlim_cur);
    // Past the limit a write fails with EFBIG instead of killing the process.
    saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(max_bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(saved_cur_);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, saved_handler_);
}

std::string read_file(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_file(const fs::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary);
    out << text;
}

bool read_png(const fs::path& file, Canvas& out)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> buffer(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) return false;
    out.resize(static_cast<int>(image.width), static_cast<int>(image.height));
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const unsigned char* p = &buffer[(static_cast<std::size_t>(y) * image.width + static_cast<std::size_t>(x)) * 3];
            out.set_pixel(x, y, rgb(p[0], p[1], p[2]));
        }
    return true;
}

RunResult run_program(const std::string& arguments)
{
    TempDir capture;
    const fs::path out = capture.path() / "out.txt";
    const fs::path err = capture.path() / "err.txt";
    // A run that hangs is ended (exit code 124) rather than holding up the whole test run.
    const std::string command = std::string("timeout -k 5 120 '") + ZENTRIFA_EXE + "' " + arguments + " >'" +
                                out.string() + "' 2>'" + err.string() + "' </dev/null";
    RunResult r;
    const int status = std::system(command.c_str());
    r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = read_file(out);
    r.err = read_file(err);
    return r;
}

} // namespace zen::test
