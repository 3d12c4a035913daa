#include "Controls.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>

#include "Application.h"
#include "ControlSupport.h"
#include "Window.h"

namespace fw {

using namespace internal;

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

}  // namespace fw
