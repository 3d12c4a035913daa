// Lists and the keyboard focus, in a window of the layer's own and in the
// laboratories': scroll bars and columns, the Tab order and the first focus,
// the focus ring; and the drawn title bar.
#include <QHeaderView>
#include <QScrollBar>
#include <QStyleOption>
#include <QTableWidget>
#include <QtTest>

#include "app/WindowResetDrift.h"
#include "engine/RAlea.h"
#include "engine/agingDrCan.h"
#include "engine/dropBox.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"
#include "support/TestApp.h"

using namespace fw;

namespace {

// A window of the layer's own, its controls without a TabIndex: a hidden and
// a greyed field, a button and a canvas, then a list and two fields.
class PlainWindow : public Window {
public:
    Ref<Listbox> list;
    void Layout() override { SetSize(400, 300); }
    void CreateControls() override {
        auto hidden = New<EditField>(), off = New<EditField>();  // hidden and greyed before they join the window
        hidden->SetVisible(false);
        off->SetEnabled(false);
        registerControl(hidden, "Hidden", -1);
        registerControl(off, "Off", -1);
        AddControl<PushButton>("Button")->SetBounds(300, 10, 80, 24);
        AddControl<Canvas>("Canvas")->SetBounds(300, 50, 40, 40);
        list = AddControl<Listbox>("List");
        list->SetBounds(10, 10, 278, 84);
        list->SetTextFont("courier");
        list->SetTextSize(12);
        auto field = AddControl<EditField>("Field");
        field->SetBounds(10, 200, 120, 22);
        field->SetText("text");
        auto ringless = AddControl<EditField>("Ringless");
        ringless->SetBounds(10, 230, 120, 22);
        ringless->SetUseFocusRing(false);
    }
};

Ref<Window> openWindow(const QString& name, bool show = true) {
    Ref<Window> w;
    if (name == "Plain") {
        w = New<PlainWindow>();
        w->Construct();
    }
    if (name == "Divergence") w = WindowDiverge();
    if (name == "Archipelago") w = WindowArchipelago();
    if (name == "Tree") w = WindowTree();
    if (name == "Drift") w = WindowDrift();
    if (name == "Reset") w = WindowResetDrift();
    if (show) w->Show();
    return w;
}

std::string letters(int n, int shift = 0) {
    static const char kBases[] = "ATGC";
    std::string s;
    for (int i = 0; i < n; ++i) s += kBases[(i * 5 + i / 7 + shift) % 4];
    return s;
}

// The rightmost column of row r's letters (centred in the row) holding a
// dark pixel as the list shows them; -1 when none.
int rightmostInk(QTableWidget* t, int r) {
    const QImage img = t->viewport()->grab().toImage();
    const int h = t->fontMetrics().height(), top = t->rowViewportPosition(r) + (t->rowHeight(r) - h) / 2;
    for (int x = img.width() - 1; x >= 0; --x)
        for (int y = std::max(top, 0); y < std::min(top + h, img.height()); ++y)
            if (qGray(img.pixel(x, y)) < 100) return x;
    return -1;
}

// Clicks in a horizontal bar's track a few pixels before its end, as a user
// pages to the end, until the bar stops: when the thumb covers the pointer.
void pageToTheEnd(QScrollBar* bar) {
    QStyleOptionSlider o;
    o.initFrom(bar);
    o.orientation = Qt::Horizontal;
    o.minimum = bar->minimum();
    o.maximum = o.sliderPosition = o.sliderValue = bar->maximum();
    o.pageStep = bar->pageStep();
    const QRect end = bar->style()->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarSlider, bar);
    for (int before = -1; bar->value() != before;) {
        before = bar->value();
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(end.right() - 4, end.center().y()));
    }
}

// The focused control as "Name" or "Name(index)".
QString focusedName(Window& w) {
    auto c = w.FocusedControl();
    if (!c) return "(none)";
    QString n = QString::fromStdString(c->Name());
    return c->Index() >= 0 ? n + QString("(%1)").arg(c->Index()) : n;
}

}  // namespace

class TestFocusLists : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { StartApplicationForTest("tst_focus_lists", kMenuHandlers); }
    void init() {
        Globals::StartUp();
        Globals::PopSize = 10;
        Globals::SequenceLength = 500;
        Globals::myRAlea->setSeed(77);
    }
    void cleanup() { CloseAllWindows(); }

    // A bar shows only when it is on and, with auto-hide, when the rows do
    // not fit; only a bar that is on scrolls. The column is as wide as its
    // design width or its widest text, whichever is more.
    void scrollBarsAndColumns_data() {
        QTest::addColumn<int>("letters");
        QTest::addColumn<QString>("bar");  // on and hidden while the rows fit, always on, or off
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("shown");  // 0 hidden, 1 shown, 2 shown and scrolls
        QTest::newRow("wide column, empty row") << 0 << "auto" << "" << 2;
        QTest::newRow("short row, bar hidden") << 4 << "auto" << "" << 0;
        QTest::newRow("short row, bar always shown") << 4 << "always" << "" << 1;
        QTest::newRow("bar off: no sideways scrolling") << 500 << "off" << "" << 0;
        QTest::newRow("widest text emptied") << 500 << "auto" << "empty" << 0;
        QTest::newRow("widest row removed") << 500 << "auto" << "remove" << 0;
        QTest::newRow("all rows deleted") << 500 << "auto" << "delete" << 0;
    }
    void scrollBarsAndColumns() {
        QFETCH(int, letters);
        QFETCH(QString, bar);
        QFETCH(QString, change);
        QFETCH(int, shown);
        auto w = openWindow("Plain", false);
        Listbox& l = *static_cast<PlainWindow&>(*w).list;
        const int design = letters == 0 ? 1000 : 100;
        l.SetColumnWidths(std::to_string(design));
        l.SetScrollbarHorizontal(bar != "off");
        l.SetAutoHideScrollbars(bar != "always");
        l.AddRow(::letters(letters));
        auto* t = qobject_cast<QTableWidget*>(l.widget());
        const QString text = QString::fromStdString(::letters(letters));
        QVERIFY(t->columnWidth(0) >= std::max(design, t->fontMetrics().horizontalAdvance(text)));
        if (change == "empty") l.SetCell(0, 0, "");
        if (change == "remove") l.RemoveRow(0);
        if (change == "delete") l.DeleteAllRows();
        if (!change.isEmpty()) QCOMPARE(t->columnWidth(0), design);
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        QCOMPARE(t->horizontalScrollBar()->isVisible(), shown > 0);
        QCOMPARE(t->horizontalScrollBar()->maximum() > 0, shown == 2);
    }

    // Two 500-letter rows in a laboratory's list: the horizontal bar shows,
    // by pixels; an arrow click moves two or three letters, a click in the
    // track up to one visible width. A comparison list shows both rows whole
    // and no third. The rows run past the right edge; paged to the end by
    // clicks in the track, their last letters are whole on screen; a click
    // on a row keeps them there.
    void listScrollsToTheEnd_data() {
        QTest::addColumn<QString>("lab");
        for (const char* lab : {"Divergence", "Archipelago", "Tree", "Drift"}) QTest::newRow(lab) << lab;
    }
    void listScrollsToTheEnd() {
        QFETCH(QString, lab);
        auto w = openWindow(lab);
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        const bool drift = lab == "Drift";
        auto list = w->Ctl<Listbox>(drift ? "MyDropBox" : "ListBoxSequence");
        if (drift) {
            auto can = w->Ctl<agingDrCan>("myAgingDrCan");
            for (int i : {1, 2}) w->Ctl<dropBox>("MyDropBox")->TronDrop(can->AniTrons(i), "0");
            QCOMPARE(list->Cell(1, 2).size(), size_t(500));
        } else {
            for (int r : {0, 1}) list->SetCell(r, 0, letters(500, r));
        }
        auto* t = qobject_cast<QTableWidget*>(list->widget());
        QScrollBar* bar = t->horizontalScrollBar();
        QTRY_VERIFY(bar->isVisible());
        QVERIFY(!t->verticalScrollBar()->isVisible());
        QCOMPARE(t->verticalScrollBar()->maximum(), 0);
        const int vw = t->viewport()->width(), vh = t->viewport()->height();
        QTRY_COMPARE(bar->maximum(), t->horizontalHeader()->length() - vw);
        const int letter = t->fontMetrics().horizontalAdvance(QLatin1Char('A'));
        QVERIFY2(bar->singleStep() >= 2 * letter && bar->singleStep() <= 3 * letter,
                 qPrintable(QString("step %1 px, letters of %2 px").arg(bar->singleStep()).arg(letter)));
        QCOMPARE(bar->pageStep(), vw);
        const int last = drift ? 2 : 1, first = last - 1;
        const int rowEnd = t->rowViewportPosition(1) + t->rowHeight(1), lettersEnd = rowEnd - t->rowHeight(1) / 2 +
                                                                                   t->fontMetrics().height() / 2;
        if (!drift) QVERIFY2(lettersEnd <= vh && vh <= rowEnd, "letters cut, or room for a third row");
        for (int r = first; r <= last; ++r) QTRY_COMPARE(rightmostInk(t, r), vw - 1);
        pageToTheEnd(bar);
        for (int r = first; r <= last; ++r) {
            QTRY_VERIFY(rightmostInk(t, r) < vw - 2);
            QVERIFY(rightmostInk(t, r) > vw - 20);
        }
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, QPoint(vw / 2, t->rowViewportPosition(last) + 5));
        QCOMPARE(list->ListIndex(), last);
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE(t->verticalScrollBar()->value(), 0);
    }

    // Tab goes through the focusable controls by their TabIndex, those
    // without one in creation order, from the control that has the focus when
    // the window opens: the first field or list, not hidden nor greyed, its
    // text selected so that typing replaces it.
    void focusChain_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("allPopulations");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("layer's own") << "Plain" << false << QStringList{"List", "Field", "Ringless", "Button"};
        QTest::newRow("Drift") << "Drift" << false
                               << QStringList{"MyDropBox", "PushButtonRun", "PushButtonFastFwd", "EditFieldFastFwd",
                                              "PushButtonClear", "PushButtonPlot"};
        QTest::newRow("Reset") << "Reset" << false
                               << QStringList{"EditFieldPopSize", "PopupMenuMutEffects", "PushButtonCancel",
                                              "EditFieldSeqLen", "PushButtonOkay"};
        QStringList islands, labels;
        for (int i = 0; i < 8; ++i) islands << QString("EditFieldPopName(%1)").arg(i);
        for (int i : {1, 2, 3, 4, 5, 6, 7, 0}) labels << QString("EditFieldPopLabel(%1)").arg(i);
        QTest::newRow("Archipelago") << "Archipelago" << false
                                     << QStringList{"EditFieldFastFwd", "ListBoxSequence"} + islands +
                                            QStringList{"PushButtonFastFwd"};
        QTest::newRow("Tree, one population")
            << "Tree" << false << QStringList{"ListBoxSequence", "EditFieldPopLabel(0)", "PushButtonFastFwd"};
        QTest::newRow("Tree, eight populations")
            << "Tree" << true << QStringList{"ListBoxSequence"} + labels + QStringList{"PushButtonFastFwd"};
    }
    void focusChain() {
        QFETCH(QString, window);
        QFETCH(bool, allPopulations);
        QFETCH(QStringList, order);
        auto w = openWindow(window);
        if (allPopulations)
            for (int i = 1; i < 8; ++i) w->Ctl<Control>("EditFieldPopLabel", i)->SetVisible(true);
        QVERIFY(QTest::qWaitForWindowActive(w->widget()));
        if (auto field = As<EditField>(w->FocusedControl())) QVERIFY(field->AllTextSelected());
        QStringList chain;
        for (int i = 0; i < order.size(); ++i) {
            chain << focusedName(*w);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(chain, order);
        QCOMPARE(focusedName(*w), order.first());  // round again
    }

    // A field's focus ring marks its frame while it has the focus; without
    // the ring a field looks the same either way.
    void focusRing() {
        auto w = openWindow("Plain");
        QVERIFY(QTest::qWaitForWindowActive(w->widget()));
        auto frame = [&](const char* name) {  // the middle of the top, bottom and right edges (the cursor is left)
            const QImage img = w->FindControl(name)->widget()->grab().toImage();
            return QList<QRgb>{img.pixel(img.width() / 2, 0), img.pixel(img.width() / 2, img.height() - 1),
                               img.pixel(img.width() - 1, img.height() / 2)};
        };
        const auto field = frame("Field"), ringless = frame("Ringless");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(frame("Field") != field);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusedName(*w), QString("Ringless"));
        QCOMPARE(frame("Ringless"), ringless);
    }

    // The drawn title bar lies above the content area and moves the dialog
    // when dragged (where the window manager does not move it itself).
    void drawnTitleBarMovesTheDialog() {
        auto d = openWindow("Reset");
        QWidget* top = d->widget();
        QVERIFY(QTest::qWaitForWindowExposed(top));
        QWidget* bar = top->childAt(40, 5);
        QVERIFY(bar && bar != d->contentWidget() && !d->contentWidget()->isAncestorOf(bar));
        QVERIFY(bar->mapTo(top, QPoint(0, bar->height())).y() <= d->contentWidget()->mapTo(top, QPoint(0, 0)).y());
        const QPoint before(d->Left(), d->Top());
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(40, 5));
        QTest::mouseMove(bar, QPoint(70, 25));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(70, 25));
        QTRY_COMPARE(QPoint(d->Left(), d->Top()), before + QPoint(30, 20));
    }
};

QTEST_MAIN(TestFocusLists)
#include "tst_focus_lists.moc"
