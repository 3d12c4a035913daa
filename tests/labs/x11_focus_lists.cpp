// Lists and the keyboard focus, in a window of the layer's own and in the
// laboratories', as a window system shows them (run offscreen, and on the
// real X11 platform under a virtual X server): scroll bars and columns, the
// Tab order and the first focus, the focus ring, the Drift list's focus and
// Copy across its buttons.
#include <QClipboard>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
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

bool onX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// A window of the layer's own, its controls without a TabIndex: a hidden and
// a greyed field, a button and a canvas, then a list and a field.
class PlainWindow : public Window {
public:
    Ref<Listbox> list;
    Ref<EditField> field;
    void Layout() override { SetSize(400, 300); }
    void CreateControls() override {
        AddControl<EditField>("Hidden")->SetVisible(false);
        AddControl<EditField>("Off")->SetEnabled(false);
        AddControl<PushButton>("Button")->SetBounds(300, 10, 80, 24);
        AddControl<Canvas>("Canvas")->SetBounds(300, 50, 40, 40);
        list = AddControl<Listbox>("List");
        list->SetBounds(10, 10, 278, 84);
        list->SetTextFont("courier");
        list->SetTextSize(12);
        field = AddControl<EditField>("Field");
        field->SetBounds(10, 200, 120, 22);
        field->SetText("text");
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

QTableWidget* tableOf(const Control& list) {
    return qobject_cast<QTableWidget*>(list.widget());
}

std::string letters(int n, int shift = 0) {
    static const char kBases[] = "ATGC";
    std::string s;
    for (int i = 0; i < n; ++i) s += kBases[(i * 5 + i / 7 + shift) % 4];
    return s;
}

// The rightmost column of row r's letters (centred in the row) holding a
// dark pixel as the screen shows them (the window system's picture on X11);
// -1 when none.
int rightmostInk(QTableWidget* t, int r) {
    QWidget* v = t->viewport();
    QImage img = v->grab().toImage();
    if (onX11()) {
        const QPoint at = v->mapToGlobal(QPoint(0, 0));
        img = QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), v->width(), v->height()).toImage();
    }
    const int h = t->fontMetrics().height(), top = t->rowViewportPosition(r) + (t->rowHeight(r) - h) / 2;
    for (int x = img.width() - 1; x >= 0; --x)
        for (int y = std::max(top, 0); y < std::min(top + h, img.height()); ++y)
            if (qGray(img.pixel(x, y)) < 100) return x;
    return -1;
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
    void initTestCase() { StartApplicationForTest("x11_focus_lists", kMenuHandlers); }
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
        QTest::addColumn<bool>("barOn");
        QTest::addColumn<bool>("autoHide");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("barShown");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("wide column, empty row") << 0 << true << true << "" << true << true;
        QTest::newRow("short row, bar hidden") << 4 << true << true << "" << false << false;
        QTest::newRow("short row, bar always shown") << 4 << true << false << "" << true << false;
        QTest::newRow("bar off: no sideways scrolling") << 500 << false << true << "" << false << false;
        QTest::newRow("widest text emptied") << 500 << true << true << "empty" << false << false;
        QTest::newRow("widest row removed") << 500 << true << true << "remove" << false << false;
        QTest::newRow("all rows deleted") << 500 << true << true << "delete" << false << false;
    }
    void scrollBarsAndColumns() {
        QFETCH(int, letters);
        QFETCH(bool, barOn);
        QFETCH(bool, autoHide);
        QFETCH(QString, change);
        QFETCH(bool, barShown);
        QFETCH(bool, scrolls);
        auto w = openWindow("Plain", false);
        Listbox& l = *static_cast<PlainWindow&>(*w).list;
        const int design = letters == 0 ? 1000 : 100;
        l.SetColumnWidths(std::to_string(design));
        l.SetScrollbarHorizontal(barOn);
        l.SetAutoHideScrollbars(autoHide);
        l.AddRow(::letters(letters));
        QTableWidget* t = tableOf(l);
        const QString text = QString::fromStdString(::letters(letters));
        QVERIFY(t->columnWidth(0) >= std::max(design, t->fontMetrics().horizontalAdvance(text)));
        if (change == "empty") l.SetCell(0, 0, "");
        if (change == "remove") l.RemoveRow(0);
        if (change == "delete") l.DeleteAllRows();
        if (!change.isEmpty()) QCOMPARE(t->columnWidth(0), design);
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        QCOMPARE(t->horizontalScrollBar()->isVisible(), barShown);
        QCOMPARE(t->horizontalScrollBar()->maximum() > 0, scrolls);
    }

    // Two 500-letter rows in a laboratory's list: the horizontal bar shows,
    // by pixels; an arrow click moves two or three letters, a click in the
    // track one visible width. A comparison list shows both rows whole and no
    // third. The rows run past the right edge, and scrolled to the end their
    // last letters are on screen; a click on a row keeps them there.
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
        QTableWidget* t = tableOf(*list);
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
        bar->setValue(bar->maximum());
        for (int r = first; r <= last; ++r) {
            QTRY_VERIFY(rightmostInk(t, r) < vw - 2);
            QVERIFY2(rightmostInk(t, r) > vw - 20, qPrintable(QString("row %1 ends at %2").arg(r).arg(rightmostInk(t, r))));
        }
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, QPoint(vw / 2, t->rowViewportPosition(last) + 5));
        QCOMPARE(list->ListIndex(), last);
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE(t->verticalScrollBar()->value(), 0);
    }

    // Tab goes through the focusable controls by their TabIndex, those
    // without one in creation order, from the control that has the focus when
    // the window opens: the first field or list, not hidden nor greyed, its
    // text selected so that typing replaces it. Shift+Tab goes back.
    void focusChain_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("allPopulations");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("layer's own") << "Plain" << false << QStringList{"List", "Field", "Button"};
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
        QStringList forward, backward;
        for (int i = 0; i < order.size(); ++i) {
            forward << focusedName(*w);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(forward, order);
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            backward.prepend(focusedName(*w));
        }
        QCOMPARE(backward, order);
    }

    // With its focus ring off a field looks the same with and without the
    // focus; with it on, the focus marks its frame.
    void focusRing_data() {
        QTest::addColumn<bool>("ring");
        QTest::newRow("ring") << true;
        QTest::newRow("no ring") << false;
    }
    void focusRing() {
        QFETCH(bool, ring);
        auto w = openWindow("Plain");
        QVERIFY(QTest::qWaitForWindowActive(w->widget()));
        auto field = static_cast<PlainWindow&>(*w).field;
        field->SetUseFocusRing(ring);
        auto frame = [&] {  // the middle of its top, bottom and right edges (the text cursor is on the left)
            const QImage img = field->widget()->grab().toImage();
            return QList<QRgb>{img.pixel(img.width() / 2, 0), img.pixel(img.width() / 2, img.height() - 1),
                               img.pixel(img.width() - 1, img.height() / 2)};
        };
        const auto unfocused = frame();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusedName(*w), QString("Field"));
        QCOMPARE(frame() != unfocused, ring);
    }

    // With rows selected in the Drift list, a click on Clear or Plot leaves
    // the focus on the list: Copy stays enabled and Ctrl+C copies the rows
    // still selected.
    void driftListKeepsFocusAndCopy_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<QStringList>("copied");  // the first cells of the copied rows
        QTest::newRow("Plot") << "Plot" << 1 << QStringList{"1", "2"};
        QTest::newRow("Clear") << "Clear" << 0 << QStringList{"Generation"};
    }
    void driftListKeepsFocusAndCopy() {
        QFETCH(QString, button);
        QFETCH(int, firstRow);
        QFETCH(QStringList, copied);
        auto w = openWindow("Drift");
        QVERIFY(QTest::qWaitForWindowActive(w->widget()));
        auto list = w->Ctl<dropBox>("MyDropBox");
        auto can = w->Ctl<agingDrCan>("myAgingDrCan");
        for (int i = 1; i <= 3; ++i) list->TronDrop(can->AniTrons(i), std::to_string(i));
        list->SetSelected(firstRow, true);
        list->SetSelected(firstRow + 1, true);
        QTest::mouseClick(w->Ctl<PushButton>("PushButton" + button.toStdString())->widget(), Qt::LeftButton);
        ProcessPendingEvents();
        QCOMPARE(focusedName(*w), QString("MyDropBox"));
        RunEnablingPass();
        QVERIFY(EditCopy()->Enabled());
        Clipboard().Close();  // empty
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        ProcessPendingEvents();
        const QString text = QString::fromStdString(ClipboardText());
        QStringList firstCells;
        for (const QString& row : text.split('\r', Qt::SkipEmptyParts)) firstCells << row.section('\t', 0, 0);
        QCOMPARE(firstCells, copied);
        if (onX11()) QCOMPARE(QGuiApplication::clipboard()->text(), text);
    }

    // The drawn title bar lies above the content area and moves the dialog
    // when dragged. (On X11 the window manager moves it, with the pointer.)
    void drawnTitleBarMovesTheDialog() {
        if (onX11()) QSKIP("the window manager moves it");
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
#include "x11_focus_lists.moc"
