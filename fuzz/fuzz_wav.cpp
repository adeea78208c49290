// The check every sound effect passes before a decoder sees it, on any bytes.
#include "platform/sound_files.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    zen::looks_like_wav(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
