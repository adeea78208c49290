#include "platform/pictures.h"

#include "platform/files.h"

#include <SDL.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

#include <jerror.h> // after jpeglib.h, which it needs

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

// Says nothing, but counts warnings as libjpeg's own handler does: a file cut short is a warning.
void jpeg_quiet(j_common_ptr cinfo, int level)
{
    if (level < 0) ++cinfo->err->num_warnings;
}

// A progressive JPEG comes in a handful of scans; each further scan costs a pass over the whole
// picture, so a small file of endless scans would keep the decoder busy for hours.
constexpr int kMaxJpegScans = 500;

void jpeg_scan_limit(j_common_ptr cinfo)
{
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kMaxJpegScans) return;
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "more than %d scans", kMaxJpegScans);
    std::longjmp(err->jump, 1);
}

// The largest picture file read: the largest picture as an uncompressed 32-bit BMP, and a header.
constexpr std::size_t kPictureFileLimit =
    static_cast<std::size_t>(kMaxPictureSide) * kMaxPictureSide * 4 + (std::size_t{1} << 20);

bool usable_size(std::int64_t w, std::int64_t h, const char* kind, std::string& error)
{
    if (w >= 1 && h >= 1 && w <= kMaxPictureSide && h <= kMaxPictureSide) return true;
    error = std::string(kind) + " of unusable size " + std::to_string(w) + " x " + std::to_string(h) + " (at most " +
            std::to_string(kMaxPictureSide) + " x " + std::to_string(kMaxPictureSide) + ")";
    return false;
}

std::int64_t le(const unsigned char* p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return bytes == 4 ? static_cast<std::int64_t>(static_cast<std::int32_t>(v)) : static_cast<std::int64_t>(v);
}

// A BMP's size from its header, checked before SDL sees it: SDL takes the header at its word and
// asks for the whole picture's memory first.
bool bmp_size_usable(const unsigned char* b, std::size_t size, std::string& error)
{
    if (size < 26) {
        error = "damaged BMP: the header is cut short";
        return false;
    }
    std::int64_t w = 0;
    std::int64_t h = 0;
    if (le(b + 14, 4) == 12) { // the old OS/2 header: 16-bit sizes
        w = le(b + 18, 2);
        h = le(b + 20, 2);
    } else {
        w = le(b + 18, 4);
        h = le(b + 22, 4);
    }
    // A negative height is a picture stored top row first.
    return usable_size(w, h < 0 ? -h : h, "BMP", error);
}

bool decode_bmp(const unsigned char* data, std::size_t size, Canvas& out, std::string& error)
{
    if (!bmp_size_usable(data, size, error)) return false;
    if (size > kPictureFileLimit) {
        error = "BMP file too large";
        return false;
    }
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
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

bool decode_jpeg(const unsigned char* data, std::size_t size, Canvas& out, std::string& error, long memory_limit)
{
    jpeg_decompress_struct cinfo{};
    JpegError err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = jpeg_fail;
    err.base.emit_message = jpeg_quiet;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = jpeg_scan_limit;
    Canvas c;
    // Only plain data lives across the jump; the canvas is filled after the header is read.
    if (setjmp(err.jump)) {
        // Past the memory limit libjpeg would spill to a file, which it cannot do here.
        const bool too_big = err.base.msg_code == JERR_NO_BACKING_STORE;
        jpeg_destroy_decompress(&cinfo);
        error = too_big ? "JPEG that needs more than " + std::to_string(memory_limit >> 20) + " MB to decode"
                        : std::string("damaged JPEG: ") + err.message;
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    cinfo.mem->max_memory_to_use = memory_limit;
    jpeg_read_header(&cinfo, TRUE);
    // The size from the header, before the decoder sets anything up for it.
    if (!usable_size(cinfo.image_width, cinfo.image_height, "JPEG", error)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_EXT_BGRX; // the same byte order as our XRGB pixels
    jpeg_start_decompress(&cinfo);
    const int w = static_cast<int>(cinfo.output_width);
    const int h = static_cast<int>(cinfo.output_height);
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
    // A file cut short (or with corrupt data) is reported by libjpeg as a warning and filled with
    // grey: treat it as damaged.
    const bool truncated = err.base.num_warnings > 0;
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (truncated) {
        error = "damaged JPEG: its data is corrupt or cut short";
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

bool decode_picture(const unsigned char* data, std::size_t size, Canvas& out, std::string& error)
{
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return decode_bmp(data, size, out, error);
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return decode_jpeg(data, size, out, error);
    error = size == 0 ? "empty file" : "not a BMP or JPEG picture";
    return false;
}

bool load_picture(const std::filesystem::path& file, Canvas& out, std::string& error)
{
    std::string bytes;
    if (read_file_bytes(file, kPictureFileLimit, bytes, error) != ReadResult::ok) return false;
    return decode_picture(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), out, error);
}

} // namespace zen
