#include "Controls.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

#include "Application.h"
#include "Internal.h"
#include "Window.h"

namespace fw {

namespace {

const char* const kControlProperty = "fwControl";

QString qstr(const std::string& s) {
    return QString::fromStdString(s);
}

QColor qcolor(Color c) {
    return QColor(c.red, c.green, c.blue);
}

// Carriage returns (the program's line break) become line feeds.
QString withLineFeeds(const std::string& s) {
    QString t = qstr(s);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

void setFontName(QWidget* w, const std::string& name) {
    if (!w) return;
    QFont f = internal::fontFor(name, w->font().pixelSize());
    f.setBold(w->font().bold());
    w->setFont(f);
}

void setFontSize(QWidget* w, int32_t size) {
    if (!w || size <= 0) return;
    QFont f = w->font();
    f.setPixelSize(size);
    w->setFont(f);
}

// Alignment codes of lists and fields: 0 default, 1 left, 2 centred, 3 right.
Qt::Alignment horizontalAlignment(int32_t code) {
    switch (code) {
    case 2: return Qt::AlignHCenter;
    case 3: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

template <class W>
W* widgetOf(const Control* c) {
    return static_cast<W*>(c->widget());
}

}  // namespace

namespace internal {

Control* controlOf(const QObject* widget) {
    if (!widget) return nullptr;
    return static_cast<Control*>(widget->property(kControlProperty).value<void*>());
}

void setControlOf(QObject* widget, Control* c) {
    widget->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(c)));
}

}  // namespace internal

// ------------------------------------------------------------------ Control

Control::Control() = default;

Control::~Control() {
    if (!widget_) return;
    internal::setControlOf(widget_, nullptr);
    // A widget never placed in a window is ours to delete; the others go
    // with their window.
    if (!widget_->parent() && QCoreApplication::instance()) delete widget_.data();
}

Window& Control::Win() const {
    return Deref(window_);
}

int32_t Control::Left() const { return left_; }
int32_t Control::Top() const { return top_; }
int32_t Control::Width() const { return width_; }
int32_t Control::Height() const { return height_; }
void Control::SetLeft(int32_t v) { SetBounds(v, top_, width_, height_); }
void Control::SetTop(int32_t v) { SetBounds(left_, v, width_, height_); }
void Control::SetWidth(int32_t v) { SetBounds(left_, top_, v, height_); }
void Control::SetHeight(int32_t v) { SetBounds(left_, top_, width_, v); }

void Control::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (widget_) widget_->setGeometry(left_, top_, std::max(width_, 0), std::max(height_, 0));
    geometryChanged();
}

void Control::SetVisible(bool v) {
    visible_ = v;
    // A parentless widget would become a window of its own: it is shown
    // when its window takes it.
    if (widget_ && widget_->parentWidget()) widget_->setVisible(v);
}

void Control::SetEnabled(bool v) {
    enabled_ = v;
    if (widget_) widget_->setEnabled(v);
}

void Control::Refresh(bool /*eraseBackground*/) {
    if (widget_) widget_->repaint();
}

void Control::Raise() {
    if (widget_) widget_->raise();
}

void Control::Event_Open() {
    Open.Raise();
}

void Control::AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
    menuHandlers_[itemName] = std::move(handler);
}

std::function<bool()> Control::MenuHandler(const std::string& itemName) const {
    auto it = menuHandlers_.find(itemName);
    return it == menuHandlers_.end() ? std::function<bool()>() : it->second;
}

void Control::attach(Window* window, const std::string& name, int32_t index) {
    window_ = window;
    name_ = name;
    index_ = index;
}

void Control::setWidget(QWidget* w) {
    widget_ = w;
    internal::setControlOf(w, this);
}

// ------------------------------------------------------------------- Canvas

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
            auto* surface = static_cast<Canvas::SurfaceGraphics*>(c->graphics_.get());
            surface->quiet = true;
            Dispatch([c] { c->Event_Paint(c->Graphics()); });
            surface->quiet = false;
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
    if (InHandler()) {
        auto* surface = static_cast<SurfaceGraphics*>(graphics_.get());
        surface->quiet = true;
        Event_Paint(Graphics());
        surface->quiet = false;
    }
    Control::Refresh(eraseBackground);
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

// --------------------------------------------------------------- StaticText

StaticText::StaticText() {
    auto* l = new QLabel;
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(l);
}

void StaticText::SetText(const std::string& s) {
    text_ = s;
    if (auto* l = widgetOf<QLabel>(this)) l->setText(withLineFeeds(s));
}

void StaticText::SetTextAlign(int32_t a) {
    align_ = a;
    const Qt::Alignment h = a == 1 ? Qt::AlignHCenter : a == 2 ? Qt::AlignRight : Qt::AlignLeft;
    if (auto* l = widgetOf<QLabel>(this)) l->setAlignment(h | Qt::AlignTop);
}

void StaticText::SetMultiline(bool m) {
    if (auto* l = widgetOf<QLabel>(this)) l->setWordWrap(m);
}

void StaticText::SetTextFont(const std::string& font) {
    setFontName(widget(), font);
}

void StaticText::SetTextSize(int32_t size) {
    setFontSize(widget(), size);
}

void StaticText::SetTextColor(Color c) {
    if (QWidget* w = widget()) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::WindowText, qcolor(c));
        w->setPalette(pal);
    }
}

void StaticText::SetBold(bool b) {
    if (QWidget* w = widget()) {
        QFont f = w->font();
        f.setBold(b);
        w->setFont(f);
    }
}

// --------------------------------------------------------------- PushButton

PushButton::PushButton() {
    auto* b = new QPushButton;
    // Return presses only the default button (the window handles it).
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, b, [b] {
        auto* pb = static_cast<PushButton*>(internal::controlOf(b));
        if (!pb) return;
        auto keep = pb->shared_from_this();
        Dispatch([pb] { pb->Action.Raise(); });
    });
    setWidget(b);
}

std::string PushButton::Caption() const {
    auto* b = widgetOf<QPushButton>(this);
    return b ? b->text().toStdString() : std::string();
}

void PushButton::SetCaption(const std::string& s) {
    if (auto* b = widgetOf<QPushButton>(this)) b->setText(qstr(s));
}

void PushButton::SetDefault(bool d) {
    default_ = d;
    if (auto* b = widgetOf<QPushButton>(this)) b->setDefault(d);
}

void PushButton::SetCancel(bool c) {
    cancel_ = c;
}

void PushButton::SetTextSize(int32_t size) {
    setFontSize(widget(), size);
}

// A press and release of the mouse in the button's middle, sent the way the
// window system sends them, so the event loop's rules apply.
void PushButton::Push() {
    QPointer<QWidget> b = widget();
    if (!b || !Visible() || !Enabled()) return;
    const QPointF pos = QRectF(b->rect()).center();
    const QPointF global = b->mapToGlobal(pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(b, &press);
    if (!b) return;
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(b, &release);
}

// ---------------------------------------------------------------- EditField

EditField::EditField() {
    setWidget(new QLineEdit);
}

std::string EditField::Text() const {
    auto* e = widgetOf<QLineEdit>(this);
    return e ? e->text().toStdString() : std::string();
}

void EditField::SetText(const std::string& s) {
    if (auto* e = widgetOf<QLineEdit>(this)) e->setText(qstr(s));
}

void EditField::SetBorder(bool b) {
    if (auto* e = widgetOf<QLineEdit>(this)) e->setFrame(b);
}

void EditField::SetReadOnly(bool r) {
    if (auto* e = widgetOf<QLineEdit>(this)) e->setReadOnly(r);
}

void EditField::SetTextFont(const std::string& font) {
    setFontName(widget(), font);
}

void EditField::SetTextSize(int32_t size) {
    setFontSize(widget(), size);
}

void EditField::SetAlignment(int32_t a) {
    if (auto* e = widgetOf<QLineEdit>(this)) e->setAlignment(horizontalAlignment(a) | Qt::AlignVCenter);
}

void EditField::SetBackColor(Color c) {
    if (QWidget* w = widget()) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, qcolor(c));
        w->setPalette(pal);
    }
}

// ------------------------------------------------------------------ Listbox

namespace {

class ListTable : public QTableWidget {
public:
    std::vector<int32_t> alignment, offset;
    std::string widths;
    bool horizontalGrid = false, verticalGrid = false;

    int32_t columnValue(const std::vector<int32_t>& v, int column) const {
        return column >= 0 && column < static_cast<int>(v.size()) ? v[column] : 0;
    }

    void applyWidths() {
        const QStringList parts = qstr(widths).split(QLatin1Char(','));
        for (int i = 0; i < parts.size() && i < columnCount(); ++i) {
            bool ok = false;
            const int w = parts[i].trimmed().toInt(&ok);
            if (ok && w >= 0) setColumnWidth(i, w);
        }
    }
};

// Draws a cell with its column's alignment and indent, and the grid lines
// the list asks for.
class ListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        auto* table = static_cast<const ListTable*>(parent());
        QStyleOptionViewItem o(option);
        // Only a selected row is marked: no hover or current-cell decoration,
        // which would look like a selection that is not there.
        o.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        const int32_t code = table->columnValue(table->alignment, index.column());
        const int32_t indent = table->columnValue(table->offset, index.column());
        o.displayAlignment = horizontalAlignment(code) | Qt::AlignVCenter;
        if (code == 3)
            o.rect.adjust(0, 0, -indent, 0);
        else if (code != 2)
            o.rect.adjust(indent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, o, index);
        if (table->horizontalGrid || table->verticalGrid) {
            painter->save();
            painter->setPen(option.palette.color(QPalette::Mid));
            if (table->horizontalGrid) painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
            if (table->verticalGrid) painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
            painter->restore();
        }
    }
};

ListTable* tableOf(const Control* c) {
    return static_cast<ListTable*>(c->widget());
}

void checkRow(const ListTable* t, int32_t row) {
    const int32_t n = t ? t->rowCount() : 0;
    if (row < 0 || row >= n)
        throw OutOfBoundsException("list row " + std::to_string(row) + " outside 0.." + std::to_string(n - 1));
}

void checkCell(const ListTable* t, int32_t row, int32_t column) {
    checkRow(t, row);
    if (column < 0 || column >= t->columnCount())
        throw OutOfBoundsException("list column " + std::to_string(column) + " outside 0.." +
                                   std::to_string(t->columnCount() - 1));
}

}  // namespace

Listbox::Listbox() {
    auto* t = new ListTable;
    t->setColumnCount(1);
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->setShowGrid(false);
    t->setWordWrap(false);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setItemDelegate(new ListDelegate(t));
    setWidget(t);
}

void Listbox::SetColumnCount(int32_t n) {
    if (auto* t = tableOf(this)) {
        t->setColumnCount(std::max(n, 1));
        t->applyWidths();
    }
}

int32_t Listbox::ColumnCount() const {
    auto* t = tableOf(this);
    return t ? t->columnCount() : 0;
}

void Listbox::SetColumnWidths(const std::string& widths) {
    if (auto* t = tableOf(this)) {
        t->widths = widths;
        t->applyWidths();
    }
}

void Listbox::SetInitialValue(const std::string& value) {
    DeleteAllRows();
    QString all = qstr(value);
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    all.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (all.isEmpty()) return;
    QStringList rows = all.split(QLatin1Char('\n'));
    if (rows.last().isEmpty()) rows.removeLast();
    for (const QString& row : rows) {
        const QStringList cells = row.split(QLatin1Char('\t'));
        AddRow(cells[0].toStdString());
        for (int c = 1; c < cells.size() && c < ColumnCount(); ++c) SetCell(lastIndex_, c, cells[c].toStdString());
    }
}

void Listbox::SetColumnAlignment(int32_t column, int32_t alignment) {
    auto* t = tableOf(this);
    if (!t || column < 0) return;
    if (static_cast<int32_t>(t->alignment.size()) <= column) t->alignment.resize(column + 1, 0);
    t->alignment[column] = alignment;
    t->viewport()->update();
}

void Listbox::SetColumnAlignmentOffset(int32_t column, int32_t pixels) {
    auto* t = tableOf(this);
    if (!t || column < 0) return;
    if (static_cast<int32_t>(t->offset.size()) <= column) t->offset.resize(column + 1, 0);
    t->offset[column] = pixels;
    t->viewport()->update();
}

void Listbox::SetSelectionType(int32_t type) {
    if (auto* t = tableOf(this))
        t->setSelectionMode(type == 1 ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void Listbox::SetDefaultRowHeight(int32_t h) {
    auto* t = tableOf(this);
    if (!t || h <= 0) return;
    t->verticalHeader()->setMinimumSectionSize(std::min(h, t->verticalHeader()->minimumSectionSize()));
    t->verticalHeader()->setDefaultSectionSize(h);
}

void Listbox::SetTextFont(const std::string& font) {
    setFontName(widget(), font);
}

void Listbox::SetTextSize(int32_t size) {
    setFontSize(widget(), size);
}

void Listbox::SetGridLines(int32_t horizontal, int32_t vertical) {
    if (auto* t = tableOf(this)) {
        t->horizontalGrid = horizontal != 0;
        t->verticalGrid = vertical != 0;
        t->viewport()->update();
    }
}

void Listbox::AddRow(const std::string& text) {
    auto* t = tableOf(this);
    if (!t) return;
    const int row = t->rowCount();
    t->insertRow(row);
    t->setItem(row, 0, new QTableWidgetItem(qstr(text)));
    lastIndex_ = row;
}

void Listbox::RemoveRow(int32_t row) {
    auto* t = tableOf(this);
    checkRow(t, row);
    t->removeRow(row);
}

void Listbox::DeleteAllRows() {
    if (auto* t = tableOf(this)) t->setRowCount(0);
    lastIndex_ = -1;
}

int32_t Listbox::ListCount() const {
    auto* t = tableOf(this);
    return t ? t->rowCount() : 0;
}

std::string Listbox::Cell(int32_t row, int32_t column) const {
    auto* t = tableOf(this);
    checkCell(t, row, column);
    const QTableWidgetItem* item = t->item(row, column);
    return item ? item->text().toStdString() : std::string();
}

void Listbox::SetCell(int32_t row, int32_t column, const std::string& text) {
    auto* t = tableOf(this);
    checkCell(t, row, column);
    if (QTableWidgetItem* item = t->item(row, column))
        item->setText(qstr(text));
    else
        t->setItem(row, column, new QTableWidgetItem(qstr(text)));
}

int32_t Listbox::ListIndex() const {
    auto* t = tableOf(this);
    if (!t) return -1;
    for (int r = 0; r < t->rowCount(); ++r)
        if (t->selectionModel()->isRowSelected(r, QModelIndex())) return r;
    return -1;
}

void Listbox::SetListIndex(int32_t row) {
    auto* t = tableOf(this);
    if (row == -1) {
        if (t) t->clearSelection();
        return;
    }
    checkRow(t, row);
    const QModelIndex index = t->model()->index(row, 0);
    t->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    t->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

int32_t Listbox::SelCount() const {
    auto* t = tableOf(this);
    if (!t) return 0;
    int32_t n = 0;
    for (int r = 0; r < t->rowCount(); ++r)
        if (t->selectionModel()->isRowSelected(r, QModelIndex())) ++n;
    return n;
}

bool Listbox::Selected(int32_t row) const {
    auto* t = tableOf(this);
    checkRow(t, row);
    return t->selectionModel()->isRowSelected(row, QModelIndex());
}

void Listbox::SetSelected(int32_t row, bool selected) {
    auto* t = tableOf(this);
    checkRow(t, row);
    const QModelIndex index = t->model()->index(row, 0);
    QItemSelectionModel::SelectionFlags how = QItemSelectionModel::Deselect;
    if (selected)
        how = t->selectionMode() == QAbstractItemView::SingleSelection ? QItemSelectionModel::ClearAndSelect
                                                                      : QItemSelectionModel::Select;
    t->selectionModel()->select(index, how | QItemSelectionModel::Rows);
}

// ---------------------------------------------------------------- PopupMenu

PopupMenu::PopupMenu() {
    setWidget(new QComboBox);
}

void PopupMenu::AddRow(const std::string& text) {
    if (auto* c = widgetOf<QComboBox>(this)) c->addItem(qstr(text));
}

int32_t PopupMenu::ListCount() const {
    auto* c = widgetOf<QComboBox>(this);
    return c ? c->count() : 0;
}

int32_t PopupMenu::ListIndex() const {
    auto* c = widgetOf<QComboBox>(this);
    return c ? c->currentIndex() : -1;
}

void PopupMenu::SetListIndex(int32_t i) {
    if (i < -1 || i >= ListCount())
        throw OutOfBoundsException("menu row " + std::to_string(i) + " outside 0.." + std::to_string(ListCount() - 1));
    if (auto* c = widgetOf<QComboBox>(this)) c->setCurrentIndex(i);
}

std::string PopupMenu::Text() const {
    auto* c = widgetOf<QComboBox>(this);
    return c ? c->currentText().toStdString() : std::string();
}

// ---------------------------------------------------------------- Rectangle

class RectangleWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        auto* r = static_cast<Rectangle*>(internal::controlOf(this));
        if (!r) return;
        QPainter p(this);
        p.fillRect(rect(), qcolor(r->fill_));
        const int b = std::min({r->borderWidth_, width(), height()});
        if (b <= 0) return;
        const QColor border = qcolor(r->border_);
        p.fillRect(0, 0, width(), b, border);
        p.fillRect(0, height() - b, width(), b, border);
        p.fillRect(0, 0, b, height(), border);
        p.fillRect(width() - b, 0, b, height(), border);
    }
};

Rectangle::Rectangle() {
    setWidget(new RectangleWidget);
}

void Rectangle::SetFillColor(Color c) {
    fill_ = c;
    if (widget()) widget()->update();
}

void Rectangle::SetBorderWidth(int32_t w) {
    borderWidth_ = w;
    if (widget()) widget()->update();
}

void Rectangle::SetBorderColor(Color c) {
    border_ = c;
    if (widget()) widget()->update();
}

// --------------------------------------------------------------------- Line

class LineWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        auto* l = static_cast<Line*>(internal::controlOf(this));
        if (!l || l->width_ <= 0) return;
        QPainter p(this);
        p.translate(-x(), -y());  // the points are in window coordinates
        p.setPen(QPen(qcolor(l->color_), l->width_, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(l->x1_, l->y1_, l->x2_, l->y2_);
    }
};

Line::Line() {
    setWidget(new LineWidget);
}

void Line::SetX1(int32_t v) { SetPoints(v, y1_, x2_, y2_); }
void Line::SetY1(int32_t v) { SetPoints(x1_, v, x2_, y2_); }
void Line::SetX2(int32_t v) { SetPoints(x1_, y1_, v, y2_); }
void Line::SetY2(int32_t v) { SetPoints(x1_, y1_, x2_, v); }

void Line::SetPoints(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    place();
}

void Line::SetBorderWidth(int32_t w) {
    width_ = w;
    place();
}

void Line::SetBorderColor(Color c) {
    color_ = c;
    if (widget()) widget()->update();
}

// The widget covers the line's bounding box, widened by the pen.
void Line::place() {
    QWidget* w = widget();
    if (!w) return;
    const int32_t pad = std::max(width_, 1);
    w->setGeometry(std::min(x1_, x2_) - pad, std::min(y1_, y2_) - pad, std::abs(x2_ - x1_) + 2 * pad + 1,
                   std::abs(y2_ - y1_) + 2 * pad + 1);
    w->update();
}

// -------------------------------------------------------------------- Timer

Timer::Timer() : timer_(new QTimer) {
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { tick(); });
}

Timer::~Timer() {
    // Without an application (the process is ending) the timer is left alone.
    if (QCoreApplication::instance()) delete timer_;
}

void Timer::SetMode(int32_t m) {
    mode_ = m;
    restart();
}

void Timer::SetPeriod(int32_t ms) {
    period_ = ms;
    restart();
}

void Timer::Fire() {
    tick();
}

void Timer::restart() {
    timer_->stop();
    if (mode_ != 1 && mode_ != 2) return;
    timer_->setSingleShot(mode_ == 1);
    timer_->start(std::max(period_, 0));
}

void Timer::tick() {
    if (mode_ != 1 && mode_ != 2) return;
    if (WindowPtr() && WindowPtr()->IsClosed()) {
        timer_->stop();
        return;
    }
    if (InHandler()) {
        // A repeating tick is skipped; a single one waits until the handler
        // has returned, so that it is never lost.
        if (mode_ == 1) timer_->start(10);
        return;
    }
    if (mode_ == 1) {
        mode_ = 0;
        timer_->stop();
    }
    auto keep = shared_from_this();
    Dispatch([this] { Action.Raise(); });
}

}  // namespace fw
