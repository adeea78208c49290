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

// JPEG bytes from memory (used by load_picture; open for tests).
bool decode_jpeg(const unsigned char* data, std::size_t size, Canvas& out, std::string& error);

} // namespace zen
