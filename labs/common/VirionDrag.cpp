#include "VirionDrag.h"

#include "app/App.h"
#include "framework/core/Text.h"
#include "framework/core/Yield.h"
#include "framework/ui/Graphics.h"

namespace VirionDrag {

namespace {
constexpr int32_t kCardTextTop = 68;  // baseline of the card's first line
constexpr int32_t kCardTextSize = 11;
constexpr int32_t kLettersPerLine = 9;

// The line height of the card's text, as the drawing layer spaces it.
int32_t CardLineHeight() {
    auto probe = fw::NewPicture(1, 1, 32);
    fw::Graphics& g = probe->Graphics();
    g.TextSize = kCardTextSize;
    g.TextFont = "courier";
    return g.TextHeight();
}
}  // namespace

void FollowMouse(fw::Window& w, popupSpriteCan& sprite, popupSpriteCan& card, int32_t& oldX,
                 int32_t& oldY, int32_t x, int32_t y) {
    if (x == oldX && y == oldY) return;
    if (sprite.Visible()) {
        sprite.SetLeft(sprite.Left() + (x - oldX));
        sprite.SetTop(sprite.Top() + (y - oldY));
    }
    if (card.Visible()) {
        if (x + 5 + card.Width() > w.Width())
            card.SetLeft(w.Width() - card.Width());
        else
            card.SetLeft(x + 5);
        card.SetTop(card.Top() + (y - oldY));
    }
    oldX = x;
    oldY = y;
}

void VanishPopups(popupSpriteCan& sprite, popupSpriteCan& card) {
    if (sprite.Visible()) sprite.vanish();
    if (card.Visible()) card.vanish();
}

void PaintDragSprite(popupSpriteCan& me, int32_t x, int32_t y, const aniTron& t) {
    me.SetLeft(x + t.X - 1);
    me.SetTop(y + t.Y - 1);
    me.SetWidth(t.width + 2);
    me.SetHeight(t.height + 2);
    auto p = fw::NewPicture(me.Width(), me.Height(), 32);
    p->Transparent = 1;
    fw::Graphics& g = p->Graphics();
    g.ForeColor = fw::RGB(150, 150, 150);
    g.DrawRect(0, 0, me.Width() - 1, me.Height() - 1);
    g.ForeColor = t.myColor;
    g.FillOval(1, 1, t.width, t.height);
    me.SetBackdrop(p);
}

std::string SequenceCardText(const fw::Ref<cArray>& seq) {
    std::string text;
    const int32_t n = seq ? seq->ubound() : 0;
    text.reserve(static_cast<size_t>(n > 0 ? n * 2 : 0));
    for (int32_t k = 1; k <= n; ++k) {
        text += seq->get(k).StringValue();
        text += (k % kLettersPerLine == 0) ? fw::Chr(13) : std::string(" ");
        fw::Yield();
    }
    return text;
}

int32_t SequenceCardHeight(int32_t letters) {
    // The first baseline sits at 68; every further line adds one line
    // height; a line height below the last baseline leaves room for the
    // descent and a margin above the frame.
    const int32_t lines = letters > 0 ? (letters + kLettersPerLine - 1) / kLettersPerLine : 0;
    const int32_t lineHeight = CardLineHeight();
    return kCardTextTop + (lines > 0 ? (lines - 1) * lineHeight : 0) + lineHeight;
}

void PaintSequenceCard(popupSpriteCan& me, int32_t x, int32_t y, const fw::Ref<cArray>& seq,
                       fw::Window& w) {
    if (x + me.Width() + 5 < w.Width())
        me.SetLeft(x + 5);
    else
        me.SetLeft(w.Width() - me.Width());
    me.SetTop(y + 12);

    const int32_t n = seq ? seq->ubound() : 0;
    me.SetHeight(SequenceCardHeight(n));

    auto p = fw::NewPicture(me.Width(), me.Height(), 32);
    p->Transparent = 0;
    fw::Graphics& g = p->Graphics();
    g.ForeColor = fw::RGB(254, 254, 254);
    g.FillRect(0, 0, me.Width(), me.Height());
    g.ForeColor = fw::RGB(0, 0, 0);
    g.DrawRect(0, 0, me.Width() - 1, me.Height() - 1);
    if (auto virion = HepCVirion()) g.DrawPicture(virion, 38, 8);

    const std::string text = SequenceCardText(seq);
    g.TextSize = kCardTextSize;
    g.TextFont = "courier";
    g.DrawString(text, 5, kCardTextTop);
    me.SetBackdrop(p);
}

std::string SequenceString(const fw::Ref<cArray>& seq) {
    std::string s;
    if (!seq) return s;
    const int32_t n = seq->ubound();
    s.reserve(static_cast<size_t>(n > 0 ? n : 0));
    for (int32_t j = 1; j <= n; ++j) {
        s += seq->get(j).StringValue();
        fw::Yield();
    }
    return s;
}

}  // namespace VirionDrag
