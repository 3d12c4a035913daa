#include "Graphics.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Internal.h"

namespace fw {

namespace {

uint32_t pixelOf(Color c) {
    return 0xFF000000u | (uint32_t(c.red) << 16) | (uint32_t(c.green) << 8) | uint32_t(c.blue);
}

// Drawing writes 32-bit pixels directly; any other format is converted once.
bool ready(QImage* t) {
    if (!t || t->isNull()) return false;
    switch (t->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return true;
    default:
        *t = t->convertToFormat(QImage::Format_ARGB32_Premultiplied);
        return true;
    }
}

// Fills columns x0..x1 of row y, clipped to the image.
void hspan(QImage& img, int32_t y, int32_t x0, int32_t x1, uint32_t px) {
    if (y < 0 || y >= img.height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, img.width() - 1);
    if (x0 > x1) return;
    uint32_t* row = reinterpret_cast<uint32_t*>(img.scanLine(y));
    std::fill(row + x0, row + x1 + 1, px);
}

void fillBox(QImage& img, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t px) {
    y0 = std::max(y0, 0);
    y1 = std::min(y1, img.height() - 1);
    for (int32_t y = y0; y <= y1; ++y) hspan(img, y, x0, x1, px);
}

QColor qcolor(Color c) {
    return QColor(c.red, c.green, c.blue);
}

}  // namespace

Graphics::Graphics(QImage* target) : target_(target) {}

int32_t Graphics::Width() const {
    return target_ ? target_->width() : 0;
}

int32_t Graphics::Height() const {
    return target_ ? target_->height() : 0;
}

void Graphics::FillRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (w <= 0 || h <= 0 || !ready(target_)) return;
    fillBox(*target_, x, y, x + w - 1, y + h - 1, pixelOf(ForeColor));
    changed();
}

void Graphics::DrawRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (w < 0 || h < 0 || !ready(target_)) return;
    const uint32_t px = pixelOf(ForeColor);
    fillBox(*target_, x, y, x + w, y, px);
    fillBox(*target_, x, y + h, x + w, y + h, px);
    fillBox(*target_, x, y, x, y + h, px);
    fillBox(*target_, x + w, y, x + w, y + h, px);
    changed();
}

namespace {

using OvalRows = std::vector<std::pair<int32_t, int32_t>>;

// The columns each row of a w x h oval covers, relative to its left edge
// (first > last for a row it does not touch): a pixel belongs to the ellipse
// when its centre lies inside.
OvalRows computeOvalRows(int32_t w, int32_t h) {
    OvalRows rows(static_cast<size_t>(h), {1, 0});
    const double rx = w / 2.0, ry = h / 2.0;
    for (int32_t j = 0; j < h; ++j) {
        const double dy = (j + 0.5 - ry) / ry;
        const double t = 1.0 - dy * dy;
        if (t < 0) continue;
        const double half = rx * std::sqrt(t);
        rows[static_cast<size_t>(j)] = {static_cast<int32_t>(std::ceil(rx - half - 0.5)),
                                        static_cast<int32_t>(std::floor(rx + half - 0.5))};
    }
    return rows;
}

// The rows of an oval, computed once per size. Populations draw thousands
// of ovals of a handful of small sizes: those are found by direct index;
// larger sizes (rare) go through a map that never grows without bound.
const OvalRows& ovalRows(int32_t w, int32_t h) {
    constexpr int32_t kDirect = 64;
    if (w < kDirect && h < kDirect) {
        static std::unique_ptr<OvalRows> direct[kDirect][kDirect];
        std::unique_ptr<OvalRows>& slot = direct[w][h];
        if (!slot) slot = std::make_unique<OvalRows>(computeOvalRows(w, h));
        return *slot;
    }
    static std::unordered_map<uint64_t, OvalRows> large;
    const uint64_t key = (uint64_t(uint32_t(w)) << 32) | uint32_t(h);
    auto it = large.find(key);
    if (it != large.end()) return it->second;
    if (large.size() > 4096) large.clear();
    return large.emplace(key, computeOvalRows(w, h)).first->second;
}

}  // namespace

void Graphics::FillOval(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (w <= 0 || h <= 0 || !ready(target_)) return;
    const uint32_t px = pixelOf(ForeColor);
    const auto& rows = ovalRows(w, h);
    QImage& img = *target_;
    const int32_t iw = img.width(), ih = img.height();
    uchar* bits = img.bits();  // one detach for the whole oval
    const qsizetype bpl = img.bytesPerLine();
    const int32_t j0 = std::max(0, -y), j1 = std::min(h, ih - y);
    for (int32_t j = j0; j < j1; ++j) {
        const auto& r = rows[static_cast<size_t>(j)];
        const int32_t x0 = std::max(x + r.first, 0), x1 = std::min(x + r.second, iw - 1);
        if (x0 > x1) continue;
        uint32_t* row = reinterpret_cast<uint32_t*>(bits + bpl * (y + j));
        std::fill(row + x0, row + x1 + 1, px);
    }
    changed();
}

void Graphics::DrawPicture(const Ref<Picture>& p, int32_t x, int32_t y) {
    DrawPicture(p, x, y, -10000, -10000, 0, 0, -10000, -10000);
}

void Graphics::DrawPicture(const Ref<Picture>& p, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                           int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
    const Picture& pic = Deref(p);
    if (dw == -10000) dw = pic.Width();
    if (dh == -10000) dh = pic.Height();
    if (sw == -10000) sw = pic.Width();
    if (sh == -10000) sh = pic.Height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || !ready(target_)) return;
    const QImage src = ImageForDrawing(pic);
    {
        QPainter painter(target_);
        if (dw == sw && dh == sh)
            painter.drawImage(QPoint(dx, dy), src, QRect(sx, sy, sw, sh));
        else
            painter.drawImage(QRect(dx, dy, dw, dh), src, QRect(sx, sy, sw, sh));
    }
    changed();
}

void Graphics::DrawString(const std::string& text, int32_t x, int32_t y) {
    if (!ready(target_)) return;
    {
        QPainter painter(target_);
        painter.setPen(qcolor(ForeColor));
        painter.setFont(internal::fontFor(TextFont, TextSize));
        const int lineHeight = QFontMetrics(painter.font()).lineSpacing();
        QString all = QString::fromStdString(text);
        all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        all.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        const QStringList lines = all.split(QLatin1Char('\n'));
        for (int k = 0; k < lines.size(); ++k) painter.drawText(QPoint(x, y + k * lineHeight), lines[k]);
    }
    changed();
}

int32_t Graphics::TextHeight() const {
    return QFontMetrics(internal::fontFor(TextFont, TextSize)).lineSpacing();
}

Picture::Picture(int32_t width, int32_t height, int32_t /*depth*/)
    : image_(width > 0 && height > 0 ? QImage(width, height, QImage::Format_ARGB32_Premultiplied) : QImage()),
      graphics_(&image_) {
    if (!image_.isNull()) image_.fill(0xFFFFFFFFu);
}

Ref<Picture> NewPicture(int32_t width, int32_t height, int32_t depth) {
    return New<Picture>(width, height, depth);
}

QImage ImageForDrawing(const Picture& p) {
    if (p.Transparent != 1 || p.image().isNull()) return p.image();
    QImage img = p.image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < img.height(); ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (row[x] == 0xFFFFFFFFu) row[x] = 0;
    }
    return img;
}

}  // namespace fw
