// The game's picture loader (BMP through SDL, JPEG through libjpeg) on any bytes: it never
// crashes, never takes more memory than a picture may, and a picture it accepts has a usable size.
#include "platform/pictures.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    zen::Canvas picture;
    std::string error;
    if (zen::decode_picture(data, size, picture, error)) {
        if (picture.width() < 1 || picture.height() < 1 || picture.width() > zen::kMaxPictureSide ||
            picture.height() > zen::kMaxPictureSide)
            std::abort();
    } else if (error.empty() || !picture.empty()) {
        std::abort(); // a refusal says why and leaves the picture alone
    }
    return 0;
}
