// Pictures and drawing surfaces.
//
// Pixel rules (pinned by the tests):
// - FillRect(x, y, w, h) fills columns x .. x+w-1 and rows y .. y+h-1.
// - DrawRect(x, y, w, h) draws a one-pixel outline on columns x and x+w and
//   rows y and y+h (so DrawRect(0, 0, W-1, H-1) frames a W x H picture).
// - FillOval(x, y, w, h) fills the ellipse inscribed in the rectangle that
//   FillRect(x, y, w, h) would fill, without anti-aliasing.
// - DrawString(text, x, y): y is the baseline of the first line; a carriage
//   return (character 13) or a line feed starts a new line.
// - DrawPicture with -10000 for a width or height takes the picture's own.
// - A picture whose Transparent is 1 is drawn without its white pixels.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>

#include "../core/Color.h"
#include "../core/Object.h"

namespace fw {

class Picture;

class Graphics {
public:
    explicit Graphics(QImage* target = nullptr);
    virtual ~Graphics() = default;

    Color ForeColor;
    std::string TextFont = "System";
    int32_t TextSize = 12;

    int32_t Width() const;
    int32_t Height() const;

    void FillRect(int32_t x, int32_t y, int32_t w, int32_t h);
    void DrawRect(int32_t x, int32_t y, int32_t w, int32_t h);
    void FillOval(int32_t x, int32_t y, int32_t w, int32_t h);
    void DrawPicture(const Ref<Picture>& p, int32_t x, int32_t y);
    void DrawPicture(const Ref<Picture>& p, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                     int32_t sx, int32_t sy, int32_t sw, int32_t sh);
    void DrawString(const std::string& text, int32_t x, int32_t y);
    // The distance between the baselines of two lines that DrawString draws
    // in the current TextFont and TextSize.
    int32_t TextHeight() const;

    QImage* target() const { return target_; }
    void setTarget(QImage* t) { target_ = t; }

protected:
    // Called after every drawing call (a canvas's screen surface schedules a
    // repaint here).
    virtual void changed() {}

private:
    QImage* target_;
};

class Picture : public Object {
public:
    // A new picture is opaque white.
    Picture(int32_t width, int32_t height, int32_t depth = 32);

    int32_t Width() const { return image_.width(); }
    int32_t Height() const { return image_.height(); }
    fw::Graphics& Graphics() { return graphics_; }

    // 1: white pixels are not drawn when the picture is drawn or shown.
    int32_t Transparent = 0;

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

private:
    QImage image_;
    fw::Graphics graphics_;
};

Ref<Picture> NewPicture(int32_t width, int32_t height, int32_t depth);

// The image as it would be drawn: with Transparent 1 white becomes clear.
QImage ImageForDrawing(const Picture& p);

}  // namespace fw
