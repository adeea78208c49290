#include "platform/pictures.h"

#include <SDL.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include <jpeglib.h>

namespace zen {

namespace {

// libjpeg's default error handler ends the process; ours jumps back and reports.
struct JpegError {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpeg_fail(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void jpeg_quiet(j_common_ptr, int) {}

bool read_file(const std::filesystem::path& file, std::vector<unsigned char>& bytes, std::string& error)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot open " + file.string();
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "cannot read " + file.string();
        return false;
    }
    return true;
}

bool decode_bmp(const std::vector<unsigned char>& bytes, Canvas& out, std::string& error)
{
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SDL_Surface* loaded = rw ? SDL_LoadBMP_RW(rw, 1) : nullptr;
    if (!loaded) {
        error = std::string("damaged BMP: ") + SDL_GetError();
        return false;
    }
    SDL_Surface* conv = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!conv) {
        error = std::string("cannot convert BMP: ") + SDL_GetError();
        return false;
    }
    Canvas c;
    c.resize(conv->w, conv->h);
    if (c.empty()) {
        SDL_FreeSurface(conv);
        error = "picture too large";
        return false;
    }
    for (int y = 0; y < conv->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(conv->pixels) +
                                                                 static_cast<std::ptrdiff_t>(y) * conv->pitch);
        auto* dst = reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(c.pixels()) +
                                                     static_cast<std::ptrdiff_t>(y) * c.pitch());
        for (int x = 0; x < conv->w; ++x) dst[x] = row[x] & 0xFFFFFFu;
    }
    SDL_FreeSurface(conv);
    out.assign(std::move(c));
    return true;
}

} // namespace

bool decode_jpeg(const unsigned char* data, std::size_t size, Canvas& out, std::string& error)
{
    jpeg_decompress_struct cinfo{};
    JpegError err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = jpeg_fail;
    err.base.emit_message = jpeg_quiet;
    Canvas c;
    // Only plain data lives across the jump; the canvas is filled after the header is read.
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        error = std::string("damaged JPEG: ") + err.message;
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGRX; // the same byte order as our XRGB pixels
    jpeg_start_decompress(&cinfo);
    const int w = static_cast<int>(cinfo.output_width);
    const int h = static_cast<int>(cinfo.output_height);
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384) {
        jpeg_destroy_decompress(&cinfo);
        error = "JPEG of unusable size";
        return false;
    }
    c.resize(w, h);
    if (c.empty()) {
        jpeg_destroy_decompress(&cinfo);
        error = "picture too large";
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(reinterpret_cast<char*>(c.pixels()) +
                                                  static_cast<std::ptrdiff_t>(cinfo.output_scanline) * c.pitch());
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    // A file cut short is reported by libjpeg as a warning and filled with grey; treat it as damaged.
    const bool truncated = err.base.num_warnings > 0;
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (truncated) {
        error = "damaged JPEG: data ends early";
        return false;
    }
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(c.pixels()) +
                                                     static_cast<std::ptrdiff_t>(y) * c.pitch());
        for (int x = 0; x < w; ++x) row[x] &= 0xFFFFFFu;
    }
    out.assign(std::move(c));
    return true;
}

bool load_picture(const std::filesystem::path& file, Canvas& out, std::string& error)
{
    std::vector<unsigned char> bytes;
    if (!read_file(file, bytes, error)) return false;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return decode_bmp(bytes, out, error);
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return decode_jpeg(bytes.data(), bytes.size(), out, error);
    error = bytes.empty() ? "empty file" : "not a BMP or JPEG picture";
    return false;
}

} // namespace zen
