// What the tests' helpers do through POSIX calls: temporary folders, a file size limit, running
// the program through the shell.
#include "test_support.h"

#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdlib>

namespace zen::test {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "zentrifa-test-XXXXXX").string();
    if (char* made = ::mkdtemp(pattern.data())) path_ = made;
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

RunResult run_program(const std::string& arguments, const std::string& env)
{
    TempDir capture;
    const fs::path out = capture.path() / "out.txt";
    const fs::path err = capture.path() / "err.txt";
    // A run that hangs is ended (exit code 124) rather than holding up the whole test run. It speaks
    // Japanese (the C locale) unless the test asks for another language, and keeps its settings
    // file to itself.
    const std::string command = "env -u LANGUAGE -u LC_MESSAGES LC_ALL=C.UTF-8 XDG_CONFIG_HOME='" +
                                (capture.path() / "config").string() + "' " + env + " timeout -k 5 120 '" +
                                ZENTRIFA_EXE + "' " + arguments + " >'" + out.string() + "' 2>'" + err.string() +
                                "' </dev/null";
    RunResult r;
    const int status = std::system(command.c_str());
    r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = read_file(out);
    r.err = read_file(err);
    return r;
}

} // namespace zen::test
