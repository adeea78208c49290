// What the real-window test needs of the X server besides xdotool: closing a window the way a
// window manager's close button does, reading a pixel off the screen, and telling whether two PNG
// pictures show the same screen (a moving figure or two aside).
//
//   zentrifa_xwin close WINDOW              ask the window to close (WM_DELETE_WINDOW)
//   zentrifa_xwin pixel WINDOW X Y          print the pixel's "R G B" as the window shows it
//   zentrifa_xwin alike A.png B.png PERCENT exit 0 when at most PERCENT % of their pixels differ
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: zentrifa_xwin close WINDOW | pixel WINDOW X Y | alike A.png B.png PERCENT\n");
    return 2;
}

long number(const char* text)
{
    char* end = nullptr;
    const long n = std::strtol(text, &end, 0);
    if (end == text || *end != '\0') {
        std::fprintf(stderr, "zentrifa_xwin: not a number: %s\n", text);
        std::exit(2);
    }
    return n;
}

int close_window(Display* display, Window window)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &e);
    XFlush(display);
    return 0;
}

int print_pixel(Display* display, Window window, int x, int y)
{
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "zentrifa_xwin: cannot read the pixel at %d,%d\n", x, y);
        return 1;
    }
    const unsigned long p = XGetPixel(image, 0, 0);
    const auto channel = [p](unsigned long mask) {
        unsigned long v = p & mask;
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            v >>= 1;
        }
        return static_cast<unsigned>(v);
    };
    std::printf("%u %u %u\n", channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask));
    XDestroyImage(image);
    return 0;
}

bool read_png(const char* file, png_image& image, std::vector<unsigned char>& pixels)
{
    image = png_image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file)) return false;
    image.format = PNG_FORMAT_RGB;
    pixels.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
}

int alike(char** argv)
{
    png_image a;
    png_image b;
    std::vector<unsigned char> pa;
    std::vector<unsigned char> pb;
    if (!read_png(argv[2], a, pa) || !read_png(argv[3], b, pb)) {
        std::fprintf(stderr, "zentrifa_xwin: cannot read %s or %s\n", argv[2], argv[3]);
        return 2;
    }
    if (a.width != b.width || a.height != b.height) {
        std::fprintf(stderr, "zentrifa_xwin: the pictures differ in size\n");
        return 1;
    }
    const long most = number(argv[4]);
    const std::size_t count = std::size_t{a.width} * a.height;
    std::size_t differ = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (pa[i * 3] != pb[i * 3] || pa[i * 3 + 1] != pb[i * 3 + 1] || pa[i * 3 + 2] != pb[i * 3 + 2]) ++differ;
    const double percent = 100.0 * static_cast<double>(differ) / static_cast<double>(count);
    if (percent <= static_cast<double>(most)) return 0;
    std::fprintf(stderr, "zentrifa_xwin: %.1f %% of the pixels differ\n", percent);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return usage();
    const std::string command = argv[1];
    if (command == "alike") return argc == 5 ? alike(argv) : usage();
    if (!((command == "close" && argc == 3) || (command == "pixel" && argc == 5))) return usage();
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "zentrifa_xwin: cannot open the display\n");
        return 2;
    }
    const auto window = static_cast<Window>(number(argv[2]));
    const int result = command == "close" ? close_window(display, window)
                                          : print_pixel(display, window, static_cast<int>(number(argv[3])),
                                                        static_cast<int>(number(argv[4])));
    XCloseDisplay(display);
    return result;
}
