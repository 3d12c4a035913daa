#include <QtTest>

#include "engine/aniTron.h"

namespace {
struct FakeCanvas : SpriteCanvas {
    bool busy = false;
    int32_t CanvasWidth() const override { return 200; }
    int32_t CanvasHeight() const override { return 100; }
    bool IsProcessingClick() const override { return busy; }
};

constexpr double kPi = aniTron::kHalfTurn;
constexpr double kTwoPi = aniTron::kFullTurn;

// A 12 x 12 sprite.
fw::Ref<aniTron> Sprite(double x, double y, double heading, double speed = 0.0) {
    auto t = fw::New<aniTron>();
    t->width = t->height = 12;
    t->xLoc = x, t->yLoc = y, t->direction = heading, t->speed = speed;
    return t;
}
}  // namespace

class TestSprites : public QObject {
    Q_OBJECT
private slots:
    // On a 200 x 100 canvas.
    void bounce_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("heading");
        QTest::addColumn<double>("expected");
        QTest::newRow("past left, moving left") << -0.5 << 50.0 << kPi << 0.0;
        QTest::newRow("exactly on left edge") << 0.0 << 50.0 << kPi << kPi;
        QTest::newRow("right edge on border") << 188.0 << 50.0 << 0.0 << 0.0;
        QTest::newRow("past right, moving right") << 188.5 << 50.0 << 0.0 << kPi;
        QTest::newRow("past right, moving left") << 188.5 << 50.0 << kPi << kPi;
        QTest::newRow("past top, moving up: wraps") << 50.0 << -1.0 << 4.712389 << -4.712389 + kTwoPi;
        QTest::newRow("past bottom, moving down") << 50.0 << 88.5 << 1.5707963 << -1.5707963 + kTwoPi;
        QTest::newRow("corner: two reflections") << -1.0 << -1.0 << 3.9269908 << -(kPi - 3.9269908);
        QTest::newRow("above 2 pi: one correction only") << 50.0 << 50.0 << 13.0 << 13.0 - kTwoPi;
    }
    void bounce() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, heading);
        QFETCH(double, expected);
        FakeCanvas can;
        auto t = Sprite(x, y, heading);
        t->bounce(can);
        QVERIFY2(t->direction == expected, qPrintable(QString::number(t->direction, 'g', 17)));
        QVERIFY(t->xLoc == x && t->yLoc == y);
    }

    // The bounce looks at the position before the step.
    void moveBouncesThenGlides() {
        FakeCanvas can;
        auto t = Sprite(-0.5, 40.0, kPi, 2.0);
        t->move(can);
        QCOMPARE(t->direction, 0.0);
        QCOMPARE(t->xLoc, 1.5);
        QCOMPARE(t->X, 2);
        QCOMPARE(t->Y, 40);

        auto u = Sprite(0.0, 40.0, kPi, 2.0);  // on the edge: out first, turned next
        u->move(can);
        QVERIFY(u->xLoc < 0.0 && u->direction == kPi);
        u->move(can);
        QCOMPARE(u->direction, 0.0);

        can.busy = true;  // a pick-up or drop is running: nothing moves
        auto v = Sprite(-0.5, 40.0, kPi, 2.0);
        v->X = 77;
        v->move(can);
        QVERIFY(v->xLoc == -0.5 && v->direction == kPi && v->X == 77);
    }

    void glideWithoutSpeedStillRounds() {
        auto t = Sprite(3.4, 7.6, 1.0);
        t->glide();
        QVERIFY(t->xLoc == 3.4 && t->yLoc == 7.6 && t->X == 3 && t->Y == 8);
    }

    // Sprite at X 10, Y 20, 12 wide, 8 high: every border is outside.
    void within_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("inside");
        QTest::newRow("left border") << 10 << 24 << false;
        QTest::newRow("inside left border") << 11 << 24 << true;
        QTest::newRow("right border") << 22 << 24 << false;
        QTest::newRow("inside right border") << 21 << 24 << true;
        QTest::newRow("top border") << 15 << 20 << false;
        QTest::newRow("bottom border") << 15 << 28 << false;
    }
    void within() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(bool, inside);
        aniTron t;
        t.X = 10, t.Y = 20, t.width = 12, t.height = 8;
        QCOMPARE(t.within(x, y), inside);
    }
};

QTEST_APPLESS_MAIN(TestSprites)
#include "tst_sprites.moc"
