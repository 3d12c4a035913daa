// The window layer on the real X11 platform (under a virtual X server): the
// screen shows the window's back colour and its canvas's drawing at the
// position the window reports.
#include <QScreen>
#include <QtTest>

#include "framework/ui/Application.h"
#include "framework/ui/Window.h"

using namespace fw;

class SmokeWindow : public Window {
public:
    void Layout() override {
        SetSize(200, 120);
        SetBackColor(RGB(0, 0, 255));
        SetVisible(true);
    }
    void CreateControls() override {
        auto canvas = AddControl<Canvas>("Canvas1");
        canvas->SetBounds(20, 20, 100, 60);
        canvas->Paint.Bind([](Graphics& g) {
            g.ForeColor = RGB(255, 0, 0);
            g.FillRect(0, 0, 100, 60);
        });
    }
};

class SmokeX11 : public QObject {
    Q_OBJECT
private slots:
    void showsWhatWasDrawn() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        auto w = ImplicitWindow<SmokeWindow>();
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        w->SetLeft(100);
        w->SetTop(80);
        QTRY_COMPARE(w->Left(), 100);
        QCOMPARE(w->Top(), 80);
        QScreen* screen = QGuiApplication::primaryScreen();
        auto screenPixel = [&](int x, int y) {
            return screen->grabWindow(0, w->Left() + x, w->Top() + y, 1, 1).toImage().pixel(0, 0);
        };
        QTRY_COMPARE(screenPixel(60, 50), qRgb(255, 0, 0));
        QCOMPARE(screenPixel(5, 5), qRgb(0, 0, 255));
        w->Close();
    }
};

QTEST_MAIN(SmokeX11)
#include "smoke_x11.moc"
