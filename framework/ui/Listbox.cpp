#include "Controls.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "Application.h"
#include "ControlSupport.h"
#include "Window.h"

namespace fw {

using namespace internal;

// ------------------------------------------------------------------ Listbox

namespace {

// A cell, with the width of its text kept, so that fitting the columns to
// their texts does not measure every text again.
class ListItem : public QTableWidgetItem {
public:
    explicit ListItem(const QString& text) : QTableWidgetItem(text) {}
    int textWidth = 0;
};

// A click in a bar's track moves at most one visible width, all the steps
// to the end of one length, so that the last one lands on the end. By whole
// widths the last but one would stop a few pixels short of the end: the
// thumb, drawn all but at the end, then covers the pointer, and the clicks
// that follow do nothing while the last letters are still cut off.
void evenPageStep(QScrollBar& bar, int action) {
    const int sign = action == QAbstractSlider::SliderPageStepAdd   ? 1
                     : action == QAbstractSlider::SliderPageStepSub ? -1
                                                                    : 0;
    const int page = bar.pageStep();
    if (sign == 0 || page <= 0) return;
    const int from = bar.value();  // the step has moved the thumb, not yet the value
    const int rest = sign > 0 ? bar.maximum() - from : from - bar.minimum();
    const int steps = (rest + page - 1) / page;
    if (steps > 1) bar.setSliderPosition(from + sign * ((rest + steps - 1) / steps));
}

class ListTable : public FocusRingOptional<QTableWidget> {
public:
    ListTable() {
        for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
            connect(bar, &QAbstractSlider::actionTriggered, bar, [bar](int action) { evenPageStep(*bar, action); });
    }

    std::vector<int32_t> alignment, offset;
    std::vector<int> designWidths;  // from ColumnWidths; -1: not given
    bool horizontalGrid = false, verticalGrid = false;
    bool horizontalScrolls = true, verticalScrolls = true;

    int32_t columnValue(const std::vector<int32_t>& v, int column) const {
        return column >= 0 && column < static_cast<int>(v.size()) ? v[column] : 0;
    }

    void setWidths(const std::string& widths) {
        designWidths.clear();
        for (const QString& part : qstr(widths).split(QLatin1Char(','))) {
            bool ok = false;
            const int w = part.trimmed().toInt(&ok);
            designWidths.push_back(ok && w >= 0 ? w : -1);
        }
        fitColumns();
    }

    int designWidth(int column) const {
        const int w = column < static_cast<int>(designWidths.size()) ? designWidths[column] : -1;
        return w >= 0 ? w : horizontalHeader()->defaultSectionSize();
    }

    ListItem* cellItem(int row, int column) const {
        return dynamic_cast<ListItem*>(item(row, column));
    }

    void setCellText(int row, int column, const QString& text) {
        ListItem* cell = cellItem(row, column);
        if (cell) {
            cell->setText(text);
        } else {
            cell = new ListItem(text);
            setItem(row, column, cell);
        }
        cell->textWidth = measure(text);
    }

    // Each column is as wide as its design width or as its widest text with
    // the cell's margins and indent, whichever is more. The margins are the
    // style's own on either side of an item's text, and two pixels of
    // background after the last letter.
    void fitColumns() {
        const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
        for (int c = 0; c < columnCount(); ++c) {
            int widest = 0;
            for (int r = 0; r < rowCount(); ++r)
                if (const ListItem* cell = cellItem(r, c)) widest = std::max(widest, cell->textWidth);
            int width = designWidth(c);
            if (widest > 0) width = std::max(width, widest + margin + columnValue(offset, c));
            if (columnWidth(c) != width) setColumnWidth(c, width);
        }
    }

    void settle() { updateGeometries(); }

    void showRow(int row) {
        settle();  // the bar's range must already count the row
        scrollTo(model()->index(row, 0));
    }

    // Rows are selected whole: the list never scrolls sideways by itself
    // (a click on a row keeps the letters the user scrolled to in view).
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override {
        const int x = horizontalScrollBar()->value();
        QTableWidget::scrollTo(index, hint);
        horizontalScrollBar()->setValue(x);
    }

protected:
    void updateGeometries() override {
        QTableWidget::updateGeometries();
        // By pixels the view would step half the visible width per arrow
        // click, too far to read a sequence letter by letter: three letters
        // a step; a click in the track still moves up to one visible width.
        horizontalScrollBar()->setSingleStep(3 * fontMetrics().horizontalAdvance(QLatin1Char('A')));
        if (!horizontalScrolls) horizontalScrollBar()->setRange(0, 0);
        if (!verticalScrolls) verticalScrollBar()->setRange(0, 0);
    }

    void changeEvent(QEvent* e) override {
        QTableWidget::changeEvent(e);
        if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) {
            for (int r = 0; r < rowCount(); ++r)
                for (int c = 0; c < columnCount(); ++c)
                    if (ListItem* cell = cellItem(r, c)) cell->textWidth = measure(cell->text());
            fitColumns();
        }
    }

private:
    // As wide as the style lays the text out to draw it: one line in the
    // list's font, a last letter's overhang counted, fractions rounded up.
    int measure(const QString& text) const {
        if (text.isEmpty()) return 0;
        QTextLayout layout(text, font());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        return static_cast<int>(std::ceil(line.naturalTextWidth()));
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
    // By pixels, so that a column wider than the list scrolls too.
    t->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    t->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Every letter of a cell is shown; the column is wide enough.
    t->setTextElideMode(Qt::ElideNone);
    // Tab moves to the next control, not to the next cell.
    t->setTabKeyNavigation(false);
    t->setFocusPolicy(Qt::StrongFocus);
    setWidget(t);
    applyScrollbars();
}

void Listbox::SetScrollbarHorizontal(bool on) {
    horizontalBar_ = on;
    applyScrollbars();
}

void Listbox::SetScrollbarVertical(bool on) {
    verticalBar_ = on;
    applyScrollbars();
}

void Listbox::SetAutoHideScrollbars(bool on) {
    autoHide_ = on;
    applyScrollbars();
}

void Listbox::applyScrollbars() {
    auto* t = tableOf(this);
    if (!t) return;
    auto policy = [this](bool on) {
        if (!on) return Qt::ScrollBarAlwaysOff;
        return autoHide_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
    };
    t->setHorizontalScrollBarPolicy(policy(horizontalBar_));
    t->setVerticalScrollBarPolicy(policy(verticalBar_));
    t->horizontalScrolls = horizontalBar_;
    t->verticalScrolls = verticalBar_;
    t->settle();
}

void Listbox::SetUseFocusRing(bool on) {
    focusRing_ = on;
    if (auto* t = tableOf(this)) {
        t->focusRing = on;
        t->update();
    }
}

void Listbox::SetColumnCount(int32_t n) {
    if (auto* t = tableOf(this)) {
        t->setColumnCount(std::max(n, 1));
        t->fitColumns();
    }
}

int32_t Listbox::ColumnCount() const {
    auto* t = tableOf(this);
    return t ? t->columnCount() : 0;
}

void Listbox::SetColumnWidths(const std::string& widths) {
    if (auto* t = tableOf(this)) t->setWidths(widths);
}

void Listbox::SetInitialValue(const std::string& value) {
    DeleteAllRows();
    const QString all = withLineFeeds(value);
    if (all.isEmpty()) return;
    QStringList rows = all.split(QLatin1Char('\n'));
    if (rows.last().isEmpty()) rows.removeLast();
    auto* t = tableOf(this);
    for (const QString& row : rows) {
        const QStringList cells = row.split(QLatin1Char('\t'));
        const int r = t->rowCount();
        t->insertRow(r);
        lastIndex_ = r;
        for (int c = 0; c < cells.size() && c < t->columnCount(); ++c) t->setCellText(r, c, cells[c]);
    }
    t->fitColumns();
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
    t->fitColumns();
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
    t->setCellText(row, 0, qstr(text));
    lastIndex_ = row;
    t->fitColumns();
}

void Listbox::ScrollToRow(int32_t row) {
    auto* t = tableOf(this);
    checkRow(t, row);
    t->showRow(row);
}

void Listbox::RemoveRow(int32_t row) {
    auto* t = tableOf(this);
    checkRow(t, row);
    t->removeRow(row);
    t->fitColumns();
}

void Listbox::DeleteAllRows() {
    if (auto* t = tableOf(this)) {
        t->setRowCount(0);
        t->fitColumns();
    }
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
    t->setCellText(row, column, qstr(text));
    t->fitColumns();
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

}  // namespace fw
