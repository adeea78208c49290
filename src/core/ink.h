#pragma once
// The colours the message log knows by name. Each has its lowercase name (what --trace prints)
// and its drawing, both in one table beside the log (render/message_log.cpp).
#include <cstdint>

namespace zen {

enum class Ink : std::uint8_t {
    green,
    yellow,
    blue,
    pink,
    purple,
    aqua,
    red,
    yellow2,
    orange,
    pink2,
    rainbow,
    gray,
    green2,
    red2,
    silver,
    red3,
    orange2,
    pink3,
    pink4,
};

constexpr int kInkCount = static_cast<int>(Ink::pink4) + 1;

} // namespace zen
