// The laboratories' lists and keyboard focus as a window system shows them
// (run on the real X11 platform under a virtual X server, and offscreen):
// a 500-letter row scrolls to its last letter in every comparison list and
// in the Drift list; the Tab order of the Reset dialog, the Archipelago and
// the Tree windows; the Drift list keeps the focus, and Copy, across a
// click on Clear or Plot.
#include <QClipboard>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include "app/App.h"
#include "app/WindowResetDrift.h"
#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/agingDrCan.h"
#include "engine/dropBox.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"
#include "support/Lists.h"
#include "support/TestApp.h"

namespace {

bool onX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

fw::Ref<fw::Window> openLab(const QString& name) {
    fw::Ref<fw::Window> w;
    if (name == "Divergence") w = WindowDiverge();
    if (name == "Archipelago") w = WindowArchipelago();
    if (name == "Tree") w = WindowTree();
    if (name == "Drift") w = WindowDrift();
    if (name == "Reset") w = WindowResetDrift();
    w->Show();
    return w;
}

std::string sequence(int n, int shift) {
    static const char kBases[] = "ATGC";
    std::string s;
    for (int i = 0; i < n; ++i) s += kBases[(i * 5 + i / 7 + shift) % 4];
    return s;
}

// What the screen shows of the list's rows (the window system's picture
// on X11).
QImage shownRows(QTableWidget* t) {
    QWidget* v = t->viewport();
    if (!onX11()) return v->grab().toImage();
    const QPoint at = v->mapToGlobal(QPoint(0, 0));
    return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), v->width(), v->height()).toImage();
}

// The band of row r's letters in the viewport (they are centred in it).
std::pair<int, int> letterBand(QTableWidget* t, int r) {
    const int h = t->fontMetrics().height();
    return {t->rowViewportPosition(r) + (t->rowHeight(r) - h) / 2, h};
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

    // Two 500-letter sequences in a comparison list: the horizontal bar
    // shows, the vertical one does not; an arrow click moves two or three
    // letters, a click in the track one visible width; both rows' letters
    // are in view, no third row is drawn under them, and scrolled to the
    // end the last letters of both rows are on screen.
    void comparisonListScrollsToTheEnd_data() {
        QTest::addColumn<QString>("lab");
        QTest::newRow("Divergence") << "Divergence";
        QTest::newRow("Archipelago") << "Archipelago";
        QTest::newRow("Tree") << "Tree";
    }
    void comparisonListScrollsToTheEnd() {
        QFETCH(QString, lab);
        auto w = openLab(lab);
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        auto list = w->Ctl<fw::Listbox>("ListBoxSequence");
        list->SetCell(0, 0, sequence(500, 0));
        list->SetCell(1, 0, sequence(500, 1));
        QTableWidget* t = tableOf(*list);
        QScrollBar* bar = t->horizontalScrollBar();
        QTRY_VERIFY(bar->isVisible());
        QVERIFY(!t->verticalScrollBar()->isVisible());
        QCOMPARE(t->verticalScrollBar()->maximum(), 0);
        QVERIFY(bar->maximum() > 0);

        const int vw = t->viewport()->width(), vh = t->viewport()->height();
        const int letter = t->fontMetrics().horizontalAdvance(QLatin1Char('A'));
        QVERIFY2(bar->singleStep() >= 2 * letter && bar->singleStep() <= 3 * letter,
                 qPrintable(QString("step %1 px, letters of %2 px").arg(bar->singleStep()).arg(letter)));
        QCOMPARE(bar->pageStep(), vw);
        for (int r = 0; r < 2; ++r) {
            const auto [top, height] = letterBand(t, r);
            QVERIFY2(top + height <= vh, qPrintable(QString("row %1 cut: %2 > %3").arg(r).arg(top + height).arg(vh)));
        }
        QVERIFY2(vh <= t->rowViewportPosition(1) + t->rowHeight(1), "room for a third row");

        // At first the rows run past the right edge.
        for (int r = 0; r < 2; ++r) {
            const auto [top, height] = letterBand(t, r);
            QTRY_COMPARE(rightmostInk(shownRows(t), top, height), vw - 1);
        }
        bar->setValue(bar->maximum());
        for (int r = 0; r < 2; ++r) {
            const auto [top, height] = letterBand(t, r);
            QTRY_VERIFY(rightmostInk(shownRows(t), top, height) < vw - 2);
            const int ink = rightmostInk(shownRows(t), top, height);
            QVERIFY2(ink > vw - 20, qPrintable(QString("row %1 ends at %2 of %3").arg(r).arg(ink).arg(vw)));
        }
        // A click on a row keeps the letters in view.
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, QPoint(vw / 2, t->rowHeight(0) + 10));
        QCOMPARE(list->ListIndex(), 1);
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE(t->verticalScrollBar()->value(), 0);
    }

    // The Drift list's sequence column holds a 500-letter sequence that
    // scrolls smoothly (by pixels) to its last letter.
    void driftListScrollsToTheEnd() {
        auto w = openLab("Drift");
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        auto list = w->Ctl<dropBox>("MyDropBox");
        auto can = w->Ctl<agingDrCan>("myAgingDrCan");
        list->TronDrop(can->AniTrons(1), "0");
        QCOMPARE(list->Cell(1, 2).size(), size_t(500));
        QTableWidget* t = tableOf(*list);
        QScrollBar* bar = t->horizontalScrollBar();
        QTRY_VERIFY(bar->isVisible());
        QVERIFY(!t->verticalScrollBar()->isVisible());
        const int vw = t->viewport()->width();
        // By pixels: the range is what the columns overhang the list.
        QCOMPARE(bar->maximum(), t->horizontalHeader()->length() - vw);
        bar->setValue(bar->maximum());
        const auto [top, height] = letterBand(t, 1);
        QTRY_VERIFY(rightmostInk(shownRows(t), top, height) < vw - 2);
        QVERIFY(rightmostInk(shownRows(t), top, height) > vw - 20);
    }

    // Tab goes through the window's focusable controls in the order of
    // their TabIndex, from the control that has the focus when the window
    // opens; Shift+Tab goes back.
    void focusChain_data() {
        QTest::addColumn<QString>("lab");
        QTest::addColumn<bool>("allPopulations");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Reset") << "Reset" << false
                               << QStringList{"EditFieldPopSize", "PopupMenuMutEffects", "PushButtonCancel",
                                              "EditFieldSeqLen", "PushButtonOkay"};
        QStringList islands;
        for (int i = 0; i < 8; ++i) islands << QString("EditFieldPopName(%1)").arg(i);
        QTest::newRow("Archipelago") << "Archipelago" << false
                                     << QStringList{"EditFieldFastFwd", "ListBoxSequence"} + islands +
                                            QStringList{"PushButtonFastFwd"};
        QTest::newRow("Tree, one population")
            << "Tree" << false << QStringList{"ListBoxSequence", "EditFieldPopLabel(0)", "PushButtonFastFwd"};
        QStringList labels;
        for (int i : {1, 2, 3, 4, 5, 6, 7, 0}) labels << QString("EditFieldPopLabel(%1)").arg(i);
        QTest::newRow("Tree, eight populations")
            << "Tree" << true << QStringList{"ListBoxSequence"} + labels + QStringList{"PushButtonFastFwd"};
    }
    void focusChain() {
        QFETCH(QString, lab);
        QFETCH(bool, allPopulations);
        QFETCH(QStringList, order);
        auto w = openLab(lab);
        if (allPopulations)
            for (int i = 1; i < 8; ++i) w->Ctl<fw::Control>("EditFieldPopLabel", i)->SetVisible(true);
        QVERIFY(QTest::qWaitForWindowActive(w->widget()));
        const auto [forward, backward] = focusChainOf(*w, order.size());
        QCOMPARE(forward, order);
        QCOMPARE(backward, order);
    }

    // The Reset dialog opens with the population size selected: typing a
    // number replaces it.
    void resetDialogTypingReplacesPopulation() {
        Globals::PopSize = 50;
        auto w = openLab("Reset");
        QVERIFY(QTest::qWaitForWindowActive(w->widget()));
        auto field = w->Ctl<fw::EditField>("EditFieldPopSize");
        QCOMPARE(focusedName(*w), QString("EditFieldPopSize"));
        QVERIFY(field->AllTextSelected());
        QTest::keyClicks(QApplication::focusWidget(), "250");
        QCOMPARE(field->Text(), std::string("250"));
    }

    // With rows selected in the Drift list, a click on Clear or Plot leaves
    // the focus on the list: Copy stays enabled and Ctrl+C copies the rows
    // still selected.
    void driftListKeepsFocusAndCopy_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<QStringList>("copied");  // cells of the copied rows
        QTest::newRow("Plot") << "Plot" << 1 << QStringList{"1", "2"};
        QTest::newRow("Clear") << "Clear" << 0 << QStringList{"Generation"};
    }
    void driftListKeepsFocusAndCopy() {
        QFETCH(QString, button);
        QFETCH(int, firstRow);
        QFETCH(QStringList, copied);
        auto w = openLab("Drift");
        QVERIFY(QTest::qWaitForWindowActive(w->widget()));
        auto list = w->Ctl<dropBox>("MyDropBox");
        QCOMPARE(focusedName(*w), QString("MyDropBox"));
        auto can = w->Ctl<agingDrCan>("myAgingDrCan");
        for (int i = 1; i <= 3; ++i) list->TronDrop(can->AniTrons(i), std::to_string(i));
        list->SetSelected(firstRow, true);
        list->SetSelected(firstRow + 1, true);

        QTest::mouseClick(w->Ctl<fw::PushButton>("PushButton" + button.toStdString())->widget(), Qt::LeftButton);
        fw::ProcessPendingEvents();
        if (button == "Clear") QCOMPARE(list->ListCount(), 1);
        QCOMPARE(focusedName(*w), QString("MyDropBox"));
        fw::RunEnablingPass();
        QVERIFY(EditCopy()->Enabled());

        fw::Clipboard().Close();  // empty
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        fw::ProcessPendingEvents();
        const QString text = QString::fromStdString(fw::ClipboardText());
        const QStringList rows = text.split('\r', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), copied.size());
        for (int i = 0; i < rows.size(); ++i) QCOMPARE(rows[i].section('\t', 0, 0), copied[i]);
        if (onX11()) QCOMPARE(QGuiApplication::clipboard()->text(), text);
    }
};

QTEST_MAIN(TestFocusLists)
#include "x11_focus_lists.moc"
