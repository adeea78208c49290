#include "art/image.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace assetgen::art {

Image from_surface(cairo_surface_t* s)
{
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s);
    const int h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            std::uint32_t v = row[x];
            std::uint8_t* p = img.at(x, y);
            p[0] = static_cast<std::uint8_t>(v >> 16);
            p[1] = static_cast<std::uint8_t>(v >> 8);
            p[2] = static_cast<std::uint8_t>(v);
        }
    }
    return img;
}

cairo_surface_t* to_surface(const Image& img)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, img.w, img.h);
    cairo_surface_flush(s);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < img.h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < img.w; ++x) {
            const std::uint8_t* p = img.at(x, y);
            row[x] = 0xFF000000u | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

namespace {

int key_distance(const std::uint8_t* p)
{
    int d = 255 - p[0];
    if (p[1] > d) d = p[1];
    if (255 - p[2] > d) d = 255 - p[2];
    return d;
}

// Key pixels that cannot reach the border through other key pixels (4-neighbourhood) are
// enclosed; the small groups of them are painted with the mean of their visible neighbours.
void fill_pinholes(Image& img)
{
    const int w = img.w, h = img.h;
    std::vector<int> label(static_cast<std::size_t>(w) * h, 0); // 0 unvisited, 1 outside, 2.. group
    std::vector<int> stack;
    auto idx = [w](int x, int y) { return y * w + x; };
    auto flood = [&](int sx, int sy, int mark, std::vector<int>* members) {
        stack.clear();
        stack.push_back(idx(sx, sy));
        label[idx(sx, sy)] = mark;
        while (!stack.empty()) {
            int i = stack.back();
            stack.pop_back();
            if (members) members->push_back(i);
            int x = i % w, y = i / w;
            const int nx[4] = {x - 1, x + 1, x, x};
            const int ny[4] = {y, y, y - 1, y + 1};
            for (int k = 0; k < 4; ++k) {
                if (nx[k] < 0 || ny[k] < 0 || nx[k] >= w || ny[k] >= h) continue;
                int j = idx(nx[k], ny[k]);
                if (label[j] == 0 && is_key(img.at(nx[k], ny[k]))) {
                    label[j] = mark;
                    stack.push_back(j);
                }
            }
        }
    };
    for (int x = 0; x < w; ++x) {
        if (label[idx(x, 0)] == 0 && is_key(img.at(x, 0))) flood(x, 0, 1, nullptr);
        if (label[idx(x, h - 1)] == 0 && is_key(img.at(x, h - 1))) flood(x, h - 1, 1, nullptr);
    }
    for (int y = 0; y < h; ++y) {
        if (label[idx(0, y)] == 0 && is_key(img.at(0, y))) flood(0, y, 1, nullptr);
        if (label[idx(w - 1, y)] == 0 && is_key(img.at(w - 1, y))) flood(w - 1, y, 1, nullptr);
    }
    std::vector<int> members;
    int mark = 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (label[idx(x, y)] != 0 || !is_key(img.at(x, y))) continue;
            members.clear();
            flood(x, y, mark++, &members);
            if (static_cast<int>(members.size()) > kPinholeMax) continue;
            // Paint from the rim inwards until the whole hole is covered.
            bool left = true;
            while (left) {
                left = false;
                for (int i : members) {
                    int px = i % w, py = i / w;
                    std::uint8_t* p = img.at(px, py);
                    if (!is_key(p)) continue;
                    int sum[3] = {0, 0, 0}, n = 0;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            int qx = px + dx, qy = py + dy;
                            if ((dx == 0 && dy == 0) || qx < 0 || qy < 0 || qx >= w || qy >= h) continue;
                            const std::uint8_t* q = img.at(qx, qy);
                            if (is_key(q)) continue;
                            for (int c = 0; c < 3; ++c) sum[c] += q[c];
                            ++n;
                        }
                    if (n == 0) {
                        left = true;
                        continue;
                    }
                    for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((sum[c] + n / 2) / n);
                    if (key_distance(p) <= kKeyClearance) p[1] = static_cast<std::uint8_t>(kKeyClearance + 16);
                }
            }
        }
}

} // namespace

Image cut_sprite(cairo_surface_t* s, bool crop)
{
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s);
    const int h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    Image img(w, h);
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            std::uint32_t v = row[x];
            unsigned a = v >> 24;
            std::uint8_t* p = img.at(x, y);
            if (a < 128) {
                p[0] = kKeyR;
                p[1] = kKeyG;
                p[2] = kKeyB;
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                unsigned pm = (v >> (16 - 8 * c)) & 0xFFu;
                unsigned t = (pm * 255u + a / 2) / a;
                p[c] = static_cast<std::uint8_t>(t > 255 ? 255 : t);
            }
            if (key_distance(p) <= kKeyClearance) p[1] = static_cast<std::uint8_t>(kKeyClearance + 16);
            if (x < x0) x0 = x;
            if (x > x1) x1 = x;
            if (y < y0) y0 = y;
            if (y > y1) y1 = y;
        }
    }
    fill_pinholes(img);
    if (!crop || x1 < 0) return img;
    const int m = 2;
    Image out(x1 - x0 + 1 + 2 * m, y1 - y0 + 1 + 2 * m);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) {
            int sx = x + x0 - m, sy = y + y0 - m;
            std::uint8_t* p = out.at(x, y);
            if (sx < 0 || sy < 0 || sx >= w || sy >= h) {
                p[0] = kKeyR;
                p[1] = kKeyG;
                p[2] = kKeyB;
            } else {
                std::memcpy(p, img.at(sx, sy), 3);
            }
        }
    return out;
}

namespace {
void put16(std::vector<std::uint8_t>& b, unsigned v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    put16(b, v & 0xFFFFu);
    put16(b, v >> 16);
}
std::uint32_t get32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
}
} // namespace

bool write_bmp(const std::filesystem::path& file, const Image& img, std::string& error)
{
    const std::uint32_t row = static_cast<std::uint32_t>((img.w * 3 + 3) & ~3);
    const std::uint32_t size = row * static_cast<std::uint32_t>(img.h);
    std::vector<std::uint8_t> b;
    b.reserve(54 + size);
    b.push_back('B');
    b.push_back('M');
    put32(b, 54 + size);
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, static_cast<std::uint32_t>(img.w));
    put32(b, static_cast<std::uint32_t>(img.h)); // positive: rows stored bottom-up
    put16(b, 1);
    put16(b, 24);
    put32(b, 0); // no compression
    put32(b, size);
    put32(b, 2835); // 72 dpi
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    for (int y = img.h - 1; y >= 0; --y) {
        for (int x = 0; x < img.w; ++x) {
            const std::uint8_t* p = img.at(x, y);
            b.push_back(p[2]);
            b.push_back(p[1]);
            b.push_back(p[0]);
        }
        for (int pad = img.w * 3; pad < static_cast<int>(row); ++pad) b.push_back(0);
    }
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    if (!f) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

bool read_bmp(const std::filesystem::path& file, Image& img, std::string& error)
{
    std::ifstream f(file, std::ios::binary);
    std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        error = file.string() + ": not a BMP file";
        return false;
    }
    const std::uint32_t off = get32(b, 10);
    const auto w = static_cast<std::int32_t>(get32(b, 18));
    const auto h = static_cast<std::int32_t>(get32(b, 22));
    const unsigned bpp = b[28] | (b[29] << 8);
    if (bpp != 24 || get32(b, 30) != 0 || w <= 0 || h == 0) {
        error = file.string() + ": not an uncompressed 24-bit BMP";
        return false;
    }
    const int ah = h < 0 ? -h : h;
    const std::size_t row = static_cast<std::size_t>((w * 3 + 3) & ~3);
    if (off + row * static_cast<std::size_t>(ah) > b.size()) {
        error = file.string() + ": BMP pixel data cut short";
        return false;
    }
    img = Image(w, ah);
    for (int y = 0; y < ah; ++y) {
        const std::uint8_t* src = &b[off + row * static_cast<std::size_t>(h < 0 ? y : ah - 1 - y)];
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = img.at(x, y);
            const std::size_t at = static_cast<std::size_t>(x) * 3;
            p[0] = src[at + 2];
            p[1] = src[at + 1];
            p[2] = src[at];
        }
    }
    return true;
}

namespace {
struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};
void jpeg_fail(j_common_ptr info)
{
    auto* err = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}
} // namespace

bool write_jpeg(const std::filesystem::path& file, const Image& img, std::string& error)
{
    jpeg_compress_struct info;
    JpegError err;
    unsigned char* mem = nullptr;
    unsigned long mem_size = 0;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpeg_fail;
    if (setjmp(err.jump)) {
        error = file.string() + ": " + err.message;
        jpeg_destroy_compress(&info);
        std::free(mem);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &mem, &mem_size);
    info.image_width = static_cast<JDIMENSION>(img.w);
    info.image_height = static_cast<JDIMENSION>(img.h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    info.dct_method = JDCT_ISLOW;
    info.optimize_coding = TRUE;
    for (int c = 0; c < 3; ++c) { // 4:4:4, no chroma subsampling
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(img.at(0, static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(mem), static_cast<std::streamsize>(mem_size));
    std::free(mem);
    if (!f) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

bool read_jpeg(const std::filesystem::path& file, Image& img, std::string& error)
{
    std::ifstream f(file, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (b.empty()) {
        error = "cannot read " + file.string();
        return false;
    }
    jpeg_decompress_struct info;
    JpegError err;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpeg_fail;
    if (setjmp(err.jump)) {
        error = file.string() + ": " + err.message;
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, b.data(), static_cast<unsigned long>(b.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    img = Image(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = img.at(0, static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace assetgen::art
