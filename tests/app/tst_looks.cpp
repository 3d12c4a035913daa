// How the windows look offscreen: the font "System" resolves to, typed
// island names fit their fields, and the Reset dialog's drawn title bar.
// (Fixed texts, the window manager's hints and the screen after a Reset are
// checked on X11, in x11_windows.cpp.)

#include <QFontDatabase>
#include <QtTest>

#include "WindowLooks.h"
#include "app/App.h"
#include "support/TestApp.h"

class TestLooks : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { StartApplicationForTest("tst_looks"); }
    void init() { CloseAllWindows(); }
    void cleanupTestCase() { init(); }

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
        QTest::newRow("Archipelago, Home island") << looks::kindIndex("Archipelago") << "EditFieldPopName" << "Home island";
        QTest::newRow("Archipelago, Alpha") << looks::kindIndex("Archipelago") << "EditFieldPopName" << "Alpha";
        QTest::newRow("Tree, Alpha") << looks::kindIndex("Tree") << "EditFieldPopLabel" << "Alpha";
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
};

QTEST_MAIN(TestLooks)
#include "tst_looks.moc"
