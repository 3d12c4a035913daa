// Colours built from red, green and blue components.
#pragma once

#include <cstdint>

namespace fw {

struct Color {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Color& o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
    bool operator!=(const Color& o) const { return !(*this == o); }
};

// Components outside 0..255 are clamped.
inline Color RGB(int32_t r, int32_t g, int32_t b) {
    auto clamp = [](int32_t v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return Color{clamp(r), clamp(g), clamp(b)};
}

// &hRRGGBB form.
inline Color ColorFromHex(uint32_t rgb) {
    return Color{static_cast<uint8_t>((rgb >> 16) & 0xFF), static_cast<uint8_t>((rgb >> 8) & 0xFF),
                 static_cast<uint8_t>(rgb & 0xFF)};
}

}  // namespace fw
