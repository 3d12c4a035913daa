// How the windows look: every fixed text fits its control in the font the
// control draws with, typed island names fit their fields, each window asks
// for the boxes its layout gives it, and a laboratory rebuilt by the Reset
// dialog shows its population without waiting for a run.

#include <QFontDatabase>
#include <QtTest>

#include "WindowLooks.h"
#include "app/App.h"
#include "engine/Globals.h"
#include "engine/agingDrCan.h"
#include "framework/ui/Application.h"
#include "support/TestApp.h"

namespace {

// Pixels of the image that are neither white nor transparent.
int drawnPixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (qAlpha(p) > 0 && (p & 0xFFFFFF) != 0xFFFFFF) ++n;
        }
    return n;
}

}  // namespace

class TestLooks : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { StartApplicationForTest("tst_looks"); }
    void init() {
        CloseAllWindows();
        Globals::PopSize = 50;
        Globals::SequenceLength = 100;
    }
    void cleanupTestCase() { init(); }

    void everyFixedTextFits_data() { looks::addWindowKindRows(); }
    // Hidden controls count too: the Reset dialog's warning, the axis numbers.
    void everyFixedTextFits() {
        QFETCH(int, k);
        fw::Ref<fw::Window> w = looks::windowKinds()[k].get();
        const QStringList bad = looks::textsThatDontFit(*w);
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join("; ")));
    }

    // With Liberation Sans installed (as ./run and ./test install it) it is
    // what "System" draws with.
    void systemIsLiberationSans() {
        if (!QFontDatabase::hasFamily("Liberation Sans")) QSKIP("Liberation Sans is not installed");
        auto w = WindowDiverge();
        for (const char* name : {"GenCounter", "StaticTextSourcePop"})
            QCOMPARE(QFontInfo(w->FindControl(name, 0)->widget()->font()).family(), QString("Liberation Sans"));
        for (const char* name : {"PushButtonFastFwd", "EditFieldFastFwd", "StaticText6"}) {
            const QFont f = w->FindControl(name)->widget()->font();
            QCOMPARE(QFontInfo(f).family(), QString("Liberation Sans"));
            QCOMPARE(f.pixelSize(), 12);
        }
    }

    void typedNamesFit_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        const auto& kinds = looks::windowKinds();
        for (int i = 0; i < int(kinds.size()); ++i) {
            const QString kind = kinds[i].name;
            if (kind == "Archipelago") {
                QTest::newRow("Archipelago, Home island") << i << "EditFieldPopName" << "Home island";
                QTest::newRow("Archipelago, Alpha") << i << "EditFieldPopName" << "Alpha";
            } else if (kind == "Tree") {
                QTest::newRow("Tree, Alpha") << i << "EditFieldPopLabel" << "Alpha";
            }
        }
    }
    void typedNamesFit() {
        QFETCH(int, k);
        QFETCH(QString, field);
        QFETCH(QString, name);
        fw::Ref<fw::Window> w = looks::windowKinds()[k].get();
        for (int i = 0; i < 8; ++i) {
            auto* e = qobject_cast<QLineEdit*>(w->FindControl(field.toStdString(), i)->widget());
            QVERIFY(e);
            e->setText(name);
            QCOMPARE(looks::misfit(field, name, e->font(), looks::lineEditRoom(e), false), QString());
        }
    }

    // close, minimise, maximise, resizeable; "drawn": the window draws its
    // own title bar; "none": no title bar at all.
    void windowBoxes_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("boxes");
        const QMap<QString, QString> expected = {
            {"Splash", "none"},          {"About", "none"},
            {"Reset", "drawn fixed"},    {"Drift", "close fixed"},
            {"Divergence", "close fixed"}, {"Archipelago", "close fixed"},
            {"Tree", "close fixed"},
        };
        const auto& kinds = looks::windowKinds();
        for (int i = 0; i < int(kinds.size()); ++i) QTest::newRow(kinds[i].name) << i << expected[kinds[i].name];
    }
    void windowBoxes() {
        QFETCH(int, k);
        QFETCH(QString, boxes);
        fw::Ref<fw::Window> w = looks::windowKinds()[k].get();
        QWidget* top = w->widget();
        const Qt::WindowFlags f = top->windowFlags();
        QStringList got;
        if (f & Qt::FramelessWindowHint)
            got << (w->HasDrawnTitleBar() ? "drawn" : "none");
        else if (!(f & Qt::WindowTitleHint))
            got << "no title";
        if (f & Qt::WindowCloseButtonHint) got << "close";
        if (f & Qt::WindowMinimizeButtonHint) got << "minimise";
        if (f & Qt::WindowMaximizeButtonHint) got << "maximise";
        if (top->minimumSize() == top->maximumSize() && boxes != "none") got << "fixed";
        QCOMPARE(got.join(' '), boxes);
    }

    // The drawn title bar lies above the content area and moves the window
    // when dragged.
    void drawnTitleBarMovesTheDialog() {
        auto d = WindowResetDrift();
        QWidget* top = d->widget();
        QVERIFY(QTest::qWaitForWindowExposed(top));
        QWidget* bar = top->childAt(40, 5);
        QVERIFY(bar && bar != d->contentWidget() && !d->contentWidget()->isAncestorOf(bar));
        QVERIFY(bar->mapTo(top, QPoint(0, bar->height())).y() <= d->contentWidget()->mapTo(top, QPoint(0, 0)).y());
        const int left = d->Left(), topY = d->Top();
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(40, 5));
        QTest::mouseMove(bar, QPoint(70, 25));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(70, 25));
        QTRY_COMPARE(d->Left(), left + 30);
        QCOMPARE(d->Top(), topY + 20);
    }

    // The rebuilt Drift window's canvas shows its population once the Okay
    // handler is over, without a run; the canvas is not painted afresh here,
    // what it shows is read.
    void driftShowsPopulationAfterReset() {
        WindowDrift()->Show();
        auto d = WindowResetDrift();
        d->Ctl<fw::EditField>("EditFieldPopSize")->SetText("60");
        d->Ctl<fw::EditField>("EditFieldSeqLen")->SetText("40");
        d->Ctl<fw::PushButton>("PushButtonOkay")->Push();
        fw::ProcessPendingEvents();
        auto can = WindowDrift()->Ctl<agingDrCan>("myAgingDrCan");
        QCOMPARE(can->AniTrons.UBound(), 60);
        QTRY_VERIFY(drawnPixels(can->Snapshot()) > 60 * 20);
    }
};

QTEST_MAIN(TestLooks)
#include "tst_looks.moc"
