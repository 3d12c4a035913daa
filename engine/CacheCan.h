// A canvas that draws into an off-screen picture, Cache, and copies the
// whole picture to the screen. The picture is made once, when the canvas
// opens, with the canvas's size at that moment; right after that the canvas
// raises SetProperties so its window can fill it.
//
// A subclass may owe the picture a drawing instead of drawing it at once
// (DeferDrawing): the drawing is made when the picture is next used, by
// BlitCache (and so by a paint) or by any use of Cache, and is dropped when
// ClearCache comes first. Whoever looks at the picture finds it as if it had
// been drawn at once; a picture that is never looked at is never drawn.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "framework/core/Event.h"
#include "framework/core/Object.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Graphics.h"

class CacheCan;

// The canvas's hold on its off-screen picture. Every use of the picture
// through it (->, *, fw::Deref, conversion to a picture reference) first
// makes the drawing the canvas owes; a test for none does not.
class CachePicture {
public:
    explicit CachePicture(CacheCan& owner) : owner_(owner) {}
    CachePicture(const CachePicture&) = delete;
    CachePicture& operator=(const CachePicture&) = delete;
    CachePicture& operator=(fw::Ref<fw::Picture> p) {
        pic_ = std::move(p);
        return *this;
    }

    explicit operator bool() const { return static_cast<bool>(pic_); }
    // NilObjectException when there is no picture yet.
    fw::Picture& operator*() const;
    fw::Picture* operator->() const { return &**this; }
    operator fw::Ref<fw::Picture>() const;

    // The picture as it stands, owed drawing or not.
    const fw::Ref<fw::Picture>& raw() const { return pic_; }

private:
    CacheCan& owner_;
    fw::Ref<fw::Picture> pic_;
};

namespace fw {
inline Picture& Deref(const ::CachePicture& p) {
    return *p;
}
}  // namespace fw

class CacheCan : public fw::Canvas {
public:
    CachePicture Cache{*this};

    fw::Event<> SetProperties;

    // Paint copies the cache to the screen; the Graphics passed in is unused.
    void Event_Paint(fw::Graphics& g) override;
    // Makes the cache (32 bits deep), then raises SetProperties.
    void Event_Open() override;
    // Fills the whole picture white (any drawing owed to it is dropped).
    virtual void ClearCache();
    // Draws the whole picture, unscaled, at the canvas's top-left corner.
    virtual void BlitCache();

    // Makes the drawing the picture is owed, if any.
    void SettleCache();

    // For tests: called with the canvas each time BlitCache puts its
    // picture on the screen. Empty: nobody is told.
    static void SetBlitObserver(std::function<void(CacheCan&)> observer);

protected:
    // The picture is owed a drawing: DrawDeferred makes it when the picture
    // is next used.
    void DeferDrawing() { owed_ = true; }
    // Draws what the picture is owed, into Cache.raw().
    virtual void DrawDeferred() {}

private:
    bool owed_ = false;
};
