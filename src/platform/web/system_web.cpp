// The plain system calls in a browser page, and the page told of each file the game writes: the
// page keeps the save folder in the browser's storage (IndexedDB) and copies it there when told
// (Module.zentrifaFilesChanged); a screenshot (F12) it offers as a download instead
// (Module.zentrifaScreenshot).
#include "platform/system.h"

#include <emscripten.h>

#include <ctime>

namespace zen {

namespace {

EM_JS(void, page_file_written, (const char* path), {
    var file = UTF8ToString(path);
    if (file.indexOf("/screenshots/") >= 0) {
        if (Module["zentrifaScreenshot"]) Module["zentrifaScreenshot"](file);
    } else if (Module["zentrifaFilesChanged"]) {
        Module["zentrifaFilesChanged"](file);
    }
});

} // namespace

bool local_time(std::time_t t, std::tm& out) { return ::localtime_r(&t, &out) != nullptr; }

const char* null_device() { return "/dev/null"; }

void file_written(const std::filesystem::path& file) { page_file_written(file.c_str()); }

bool window_is_a_page_canvas() { return true; }

} // namespace zen
