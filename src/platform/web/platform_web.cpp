// Stop requests and the error box in a browser page: a page gets no signals (closing the tab ends
// it), and its box is the page's own (Module.zentrifaErrorBox), with the message on stderr too.
#include "platform/platform.h"

#include <emscripten.h>

#include <cstdio>

namespace zen {

namespace {

EM_JS(void, page_error_box, (const char* title, const char* message), {
    if (Module["zentrifaErrorBox"]) Module["zentrifaErrorBox"](UTF8ToString(title), UTF8ToString(message));
});

} // namespace

void show_error_box(const std::string& title, const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
    page_error_box(title.c_str(), message.c_str());
}

void catch_stop_signals() {}

bool stop_requested() { return false; }

void connect_standard_streams() {}

} // namespace zen
