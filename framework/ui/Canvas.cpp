#include "Controls.h"

#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <vector>

#include "Application.h"
#include "ControlSupport.h"
#include "Window.h"

namespace fw {

using namespace internal;

// ------------------------------------------------------------------- Canvas

namespace {
std::vector<QPointer<QWidget>> waitingCanvases;
}  // namespace

namespace internal {

void repaintLater(QWidget* canvas) {
    for (const auto& w : waitingCanvases)
        if (w == canvas) return;
    waitingCanvases.emplace_back(canvas);
}

void repaintWaitingCanvases() {
    auto waiting = std::move(waitingCanvases);
    waitingCanvases.clear();
    for (const auto& w : waiting)
        if (w && internal::controlOf(w)) w->update();
}

}  // namespace internal

class Canvas::SurfaceGraphics : public fw::Graphics {
public:
    explicit SurfaceGraphics(Canvas* c) : fw::Graphics(&c->surface_), canvas_(c) {}
    bool quiet = false;  // set while the canvas paints itself

protected:
    void changed() override {
        if (!quiet && canvas_->widget()) canvas_->widget()->update();
    }

private:
    Canvas* canvas_;
};

class CanvasWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        auto* c = static_cast<Canvas*>(internal::controlOf(this));
        if (!c) return;
        if (!InHandler()) {
            auto keep = c->shared_from_this();
            Dispatch([c] { c->paintSurface(); });
        } else {
            // What the handler is building (a population still being
            // seeded, say) is not on the surface yet.
            internal::repaintLater(this);
        }
        QPainter p(this);
        if (c->backdrop_) p.drawImage(0, 0, ImageForDrawing(*c->backdrop_));
        p.drawImage(0, 0, c->surface_);
    }
};

Canvas::Canvas() : graphics_(std::make_unique<SurfaceGraphics>(this)) {
    auto* w = new CanvasWidget;
    w->setFocusPolicy(Qt::NoFocus);
    setWidget(w);
}

fw::Graphics& Canvas::Graphics() {
    return *graphics_;
}

void Canvas::SetBackdrop(const Ref<Picture>& p) {
    backdrop_ = p;
    if (widget()) widget()->update();
}

void Canvas::Event_Paint(fw::Graphics& g) {
    Paint.Raise(g);
}

void Canvas::Refresh(bool eraseBackground) {
    // Outside a handler the repaint itself runs Event_Paint.
    if (InHandler()) paintSurface();
    Control::Refresh(eraseBackground);
}

void Canvas::paintSurface() {
    auto& surface = static_cast<SurfaceGraphics&>(*graphics_);
    struct Quiet {
        bool& flag;
        ~Quiet() { flag = false; }  // also when the paint throws
    } quiet{surface.quiet};
    surface.quiet = true;
    Event_Paint(Graphics());
}

QImage Canvas::Snapshot() const {
    QImage img(surface_.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    if (img.isNull()) return img;
    QPainter p(&img);
    if (backdrop_) p.drawImage(0, 0, ImageForDrawing(*backdrop_));
    p.drawImage(0, 0, surface_);
    return img;
}

void Canvas::settleFocusPolicy() {
    if (QWidget* w = widget()) w->setFocusPolicy(AcceptFocus ? Qt::StrongFocus : Qt::NoFocus);
}

// The surface follows the canvas's size and keeps what was drawn in its
// top-left part.
void Canvas::geometryChanged() {
    const int w = std::max(Width(), 0), h = std::max(Height(), 0);
    if (surface_.width() == w && surface_.height() == h) return;
    QImage next;
    if (w > 0 && h > 0) {
        next = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
        next.fill(Qt::transparent);
        if (!surface_.isNull()) {
            QPainter p(&next);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, surface_);
        }
    }
    surface_ = next;
}

}  // namespace fw
