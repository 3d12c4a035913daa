// The window lists: the open windows front-most first, the windows closed
// while a handler ran, and those left when the application went away.
#include "Internal.h"
#include "WindowFrame.h"

namespace fw {

namespace {

// Never destroyed: a window still open when the process ends is left to it,
// as the application object is. Destroyed among the static objects, it would
// reach Qt's own, which may be gone by then.
std::vector<Ref<Window>>& openWindows = *new std::vector<Ref<Window>>;      // front-most first
std::vector<Ref<Window>>& closedInHandler = *new std::vector<Ref<Window>>;  // destroyed once no handler runs
// The windows still open when the application object went away.
std::vector<Ref<Window>>& leftOver = *new std::vector<Ref<Window>>;

}  // namespace

std::vector<Ref<Window>> OpenWindows() {
    return openWindows;
}

Ref<Window> FrontWindow() {
    for (const auto& w : openWindows)
        if (w->Visible()) return w;
    return nullptr;
}

// The place of a window in the open list, or its end.
static std::vector<Ref<Window>>::iterator placeOf(const Window* w) {
    return std::find_if(openWindows.begin(), openWindows.end(), [w](const Ref<Window>& o) { return o.get() == w; });
}

namespace internal {

void registerOpenWindow(const Ref<Window>& w) {
    openWindows.push_back(w);
}

Ref<Window> unregisterOpenWindow(Window* w) {
    auto it = placeOf(w);
    if (it == openWindows.end()) return nullptr;
    Ref<Window> self = *it;
    openWindows.erase(it);
    return self;
}

void destroyWhenIdle(Ref<Window> w) {
    closedInHandler.push_back(std::move(w));
}

void moveToFront(Window* w) {
    auto it = placeOf(w);
    if (it != openWindows.end()) std::rotate(openWindows.begin(), it, it + 1);
}

Window* programWindowOf(const QObject* o) {
    for (; o; o = o->parent())
        if (auto* t = dynamic_cast<const TopLevelWidget*>(o)) return t->owner;
    return nullptr;
}

void forgetWindows() {
    for (auto* list : {&openWindows, &closedInHandler}) {
        leftOver.insert(leftOver.end(), list->begin(), list->end());
        list->clear();
    }
}

void destroyClosedWindows() {
    while (!closedInHandler.empty()) {
        auto closed = std::move(closedInHandler);
        closedInHandler.clear();
        for (const auto& w : closed)
            if (QWidget* t = w->widget()) t->deleteLater();
    }
}

void quitWhenNoWindowLeft() {
    if (!loopRunning() || InHandler()) return;
    for (const auto& w : openWindows)
        if (w->Visible()) return;
    Quit();
}

}  // namespace internal

}  // namespace fw
