// The folders of the game in a browser page: the data where the page puts it (--data-dir), the
// save and the settings in /save, the folder the page keeps in the browser's storage.
#include "platform/paths.h"

#include "platform/paths_internal.h"

namespace zen {

namespace fs = std::filesystem;

// No dat/ beside it, so the page's copy is never taken for a portable one.
fs::path executable_path(const char*) { return "/bin/zentrifa"; }

namespace path_detail {

std::optional<fs::path> user_data_dir() { return fs::path("/save"); }

std::optional<fs::path> user_config_dir() { return fs::path("/save"); }

} // namespace path_detail

} // namespace zen
