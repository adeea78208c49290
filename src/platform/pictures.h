#pragma once
// Picture files: BMP (through SDL) and JPEG (through libjpeg, with an error manager that never
// ends the process). Damaged or missing files return an error; nothing here crashes on bad data.
#include "platform/canvas.h"

#include <filesystem>
#include <string>

namespace zen {

// Loads a BMP or JPEG (told apart by their first bytes) into out. On failure out is left
// unchanged and error says why.
bool load_picture(const std::filesystem::path& file, Canvas& out, std::string& error);

// The largest width or height a picture may have.
constexpr int kMaxPictureSide = 4096;

// A BMP or JPEG from memory: what load_picture does once the file is read.
bool decode_picture(const unsigned char* data, std::size_t size, Canvas& out, std::string& error);

// What libjpeg may take besides the picture itself. The largest picture needs about 96 MB of it
// (a progressive 4096 x 4096 keeps two bytes a sample for three colours until its last scan); the
// rest is room to spare. A JPEG that would need more is refused before anything is decoded.
constexpr long kJpegMemory = 160L << 20;

// JPEG bytes from memory (used by load_picture; open for tests, which may give a smaller memory
// limit than the game's).
bool decode_jpeg(const unsigned char* data, std::size_t size, Canvas& out, std::string& error,
                 long memory_limit = kJpegMemory);

} // namespace zen
