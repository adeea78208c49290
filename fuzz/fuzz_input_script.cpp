// The input-script parser on any text: events it accepts are in order and on the play area, and
// an error it gives is one readable line of bounded length, whatever the file held.
#include "app/input_script.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    std::vector<zen::ScriptEvent> events;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (zen::parse_input_script_text(text, "script.txt", events, error)) {
        std::int64_t frame = 0;
        for (const zen::ScriptEvent& e : events) {
            if (e.frame < frame || e.x < 0 || e.x > 799 || e.y < 0 || e.y > 599) std::abort();
            frame = e.frame;
        }
    } else {
        if (error.empty() || error.size() > 300) std::abort();
        for (const char c : error)
            if (c < 0x20 || c > 0x7E) std::abort();
    }
    return 0;
}
