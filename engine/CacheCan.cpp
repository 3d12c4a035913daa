#include "engine/CacheCan.h"

#include <utility>

namespace {
std::function<void(CacheCan&)>& blitObserver() {
    static std::function<void(CacheCan&)> observer;
    return observer;
}
}  // namespace

fw::Picture& CachePicture::operator*() const {
    owner_.SettleCache();
    return fw::Deref(pic_);
}

CachePicture::operator fw::Ref<fw::Picture>() const {
    owner_.SettleCache();
    return pic_;
}

void CacheCan::Event_Paint(fw::Graphics&) {
    BlitCache();
}

void CacheCan::Event_Open() {
    Cache = fw::NewPicture(Width(), Height(), 32);
    SetProperties.Raise();
}

void CacheCan::ClearCache() {
    owed_ = false;  // the white would cover it all
    if (!Cache) return;
    fw::Graphics& g = Cache.raw()->Graphics();
    g.ForeColor = fw::RGB(255, 255, 255);
    g.FillRect(0, 0, Cache.raw()->Width(), Cache.raw()->Height());
}

void CacheCan::BlitCache() {
    if (!Cache) return;
    SettleCache();
    // -10000 stands for the picture's own width or height.
    Graphics().DrawPicture(Cache.raw(), 0, 0, -10000, -10000, 0, 0, -10000, -10000);
    if (auto& observer = blitObserver()) observer(*this);
}

void CacheCan::SettleCache() {
    if (!owed_) return;
    owed_ = false;
    if (Cache) DrawDeferred();
}

void CacheCan::SetBlitObserver(std::function<void(CacheCan&)> observer) {
    blitObserver() = std::move(observer);
}
