#include <QElapsedTimer>
#include <QtTest>

#include "framework/ui/Application.h"
#include "framework/ui/Window.h"

using namespace fw;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);

// The picture as rows of '#' (not white) and '.' (white).
QStringList rowsOf(const Picture& p) {
    QStringList rows;
    for (int y = 0; y < p.Height(); ++y) {
        QString row;
        for (int x = 0; x < p.Width(); ++x) row += p.image().pixel(x, y) == kWhite ? '.' : '#';
        rows << row;
    }
    return rows;
}

class CanvasWindow : public Window {
public:
    Ref<Canvas> canvas;
    void Layout() override { SetSize(60, 40); }
    void CreateControls() override {
        canvas = AddControl<Canvas>("Canvas1");
        canvas->SetBounds(5, 5, 20, 10);
    }
};

}  // namespace

class TestGraphics : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        for (const auto& w : OpenWindows()) w->Close();
        ProcessPendingEvents();
    }

    // Every rectangle call against the exact pixels it must cover.
    void rectangles_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QRect>("args");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("fill") << "fill" << QRect(1, 1, 3, 2)
                              << QStringList{"......", ".###..", ".###..", "......", "......"};
        QTest::newRow("fill one pixel") << "fill" << QRect(5, 4, 1, 1)
                                        << QStringList{"......", "......", "......", "......", ".....#"};
        QTest::newRow("fill empty") << "fill" << QRect(1, 1, 0, 3)
                                    << QStringList{"......", "......", "......", "......", "......"};
        QTest::newRow("fill clipped") << "fill" << QRect(-2, 3, 4, 9)
                                      << QStringList{"......", "......", "......", "##....", "##...."};
        QTest::newRow("frame") << "frame" << QRect(1, 1, 3, 2)
                               << QStringList{"......", ".####.", ".#..#.", ".####.", "......"};
        QTest::newRow("frame whole picture") << "frame" << QRect(0, 0, 5, 4)
                                             << QStringList{"######", "#....#", "#....#", "#....#", "######"};
        QTest::newRow("frame zero width") << "frame" << QRect(2, 1, 0, 2)
                                          << QStringList{"......", "..#...", "..#...", "..#...", "......"};
    }
    void rectangles() {
        QFETCH(QString, call);
        QFETCH(QRect, args);
        QFETCH(QStringList, expected);
        auto p = NewPicture(6, 5, 32);
        p->Graphics().ForeColor = RGB(0, 0, 0);
        if (call == "fill")
            p->Graphics().FillRect(args.x(), args.y(), args.width(), args.height());
        else
            p->Graphics().DrawRect(args.x(), args.y(), args.width(), args.height());
        QCOMPARE(rowsOf(*p), expected);
    }

    // DrawRect(0, 0, W - 1, H - 1) frames the picture, its last column and
    // row included.
    void frameReachesLastColumn() {
        auto p = NewPicture(14, 14, 32);
        p->Graphics().DrawRect(0, 0, 13, 13);
        for (int i = 0; i < 14; ++i) {
            QVERIFY(p->image().pixel(13, i) != kWhite);
            QVERIFY(p->image().pixel(i, 13) != kWhite);
        }
        QCOMPARE(p->image().pixel(12, 12), kWhite);
    }

    void ovals_data() {
        QTest::addColumn<QRect>("args");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("8x8") << QRect(0, 0, 8, 8)
                             << QStringList{"..####..", ".######.", "########", "########",
                                            "########", "########", ".######.", "..####.."};
        QTest::newRow("5x5 offset") << QRect(1, 2, 5, 5)
                                    << QStringList{"........", "........", "..###...", ".#####..",
                                                   ".#####..", ".#####..", "..###...", "........"};
        QTest::newRow("1x1") << QRect(3, 3, 1, 1)
                             << QStringList{"........", "........", "........", "...#....",
                                            "........", "........", "........", "........"};
        QTest::newRow("flat 6x2") << QRect(1, 0, 6, 2)
                                  << QStringList{".######.", ".######.", "........", "........",
                                                 "........", "........", "........", "........"};
        QTest::newRow("clipped") << QRect(-4, -4, 8, 8)
                                 << QStringList{"####....", "####....", "###.....", "##......",
                                                "........", "........", "........", "........"};
    }
    void ovals() {
        QFETCH(QRect, args);
        QFETCH(QStringList, expected);
        auto p = NewPicture(8, 8, 32);
        p->Graphics().ForeColor = RGB(0, 0, 255);
        p->Graphics().FillOval(args.x(), args.y(), args.width(), args.height());
        QCOMPARE(rowsOf(*p), expected);
    }

    // Larger ovals: inside their rectangle, centre filled, corners clear,
    // symmetric, no anti-aliased in-between colours.
    void ovalShape_data() {
        QTest::addColumn<int>("size");
        for (int s : {5, 12, 13, 40}) QTest::newRow(qPrintable(QString::number(s))) << s;
    }
    void ovalShape() {
        QFETCH(int, size);
        auto p = NewPicture(size + 4, size + 4, 32);
        p->Graphics().ForeColor = RGB(200, 10, 10);
        p->Graphics().FillOval(2, 2, size, size);
        const QImage& img = p->image();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                QVERIFY(c == kWhite || c == qRgb(200, 10, 10));
                const bool inside = x >= 2 && x < 2 + size && y >= 2 && y < 2 + size;
                if (!inside) QCOMPARE(c, kWhite);
                QCOMPARE(c, img.pixel(img.width() - 1 - x, y));
                QCOMPARE(c, img.pixel(x, img.height() - 1 - y));
            }
        QVERIFY(img.pixel(2 + size / 2, 2 + size / 2) != kWhite);
        QCOMPARE(img.pixel(2, 2), kWhite);
    }

    void pictures_data() {
        QTest::addColumn<int>("transparent");
        QTest::addColumn<QRgb>("whiteShowsAs");
        QTest::newRow("opaque") << 0 << kWhite;
        QTest::newRow("transparent") << 1 << kRed;
    }
    void pictures() {
        QFETCH(int, transparent);
        QFETCH(QRgb, whiteShowsAs);
        auto target = NewPicture(8, 8, 32);
        target->Graphics().ForeColor = RGB(255, 0, 0);
        target->Graphics().FillRect(0, 0, 8, 8);
        auto sprite = NewPicture(4, 4, 32);
        sprite->Graphics().ForeColor = RGB(0, 0, 0);
        sprite->Graphics().FillRect(1, 1, 1, 1);
        sprite->Transparent = transparent;
        target->Graphics().DrawPicture(sprite, 2, 2);
        QCOMPARE(target->image().pixel(3, 3), qRgb(0, 0, 0));
        QCOMPARE(target->image().pixel(2, 2), whiteShowsAs);
        QCOMPARE(target->image().pixel(5, 5), whiteShowsAs);
        QCOMPARE(target->image().pixel(6, 6), kRed);
    }

    void pictureRectangles_data() {
        QTest::addColumn<QList<int>>("args");  // dx dy dw dh sx sy sw sh
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("own size") << QList<int>{1, 1, -10000, -10000, 0, 0, -10000, -10000}
                                  << QStringList{"......", ".##...", ".#....", "......"};
        QTest::newRow("source part") << QList<int>{0, 0, 1, 1, 1, 0, 1, 1}
                                     << QStringList{"#.....", "......", "......", "......"};
        QTest::newRow("scaled") << QList<int>{0, 0, 4, 4, 0, 0, 2, 2}
                                << QStringList{"####..", "####..", "##....", "##...."};
    }
    void pictureRectangles() {
        QFETCH(QList<int>, args);
        QFETCH(QStringList, expected);
        auto src = NewPicture(2, 2, 32);
        src->Graphics().FillRect(0, 0, 2, 1);
        src->Graphics().FillRect(0, 1, 1, 1);
        auto target = NewPicture(6, 4, 32);
        target->Graphics().DrawPicture(src, args[0], args[1], args[2], args[3], args[4], args[5], args[6], args[7]);
        QCOMPARE(rowsOf(*target), expected);
    }

    void drawNilPictureThrows() {
        auto target = NewPicture(4, 4, 32);
        QVERIFY_THROWS_EXCEPTION(NilObjectException, target->Graphics().DrawPicture(nullptr, 0, 0));
    }

    // y is the baseline; a carriage return starts the next line one line
    // height further down.
    void strings() {
        auto p = NewPicture(80, 60, 32);
        Graphics& g = p->Graphics();
        g.TextFont = "courier";
        g.TextSize = 12;
        g.DrawString("HH\rHH", 4, 20);
        const QStringList rows = rowsOf(*p);
        auto ink = [&](int from, int to) {
            for (int y = from; y <= to; ++y)
                if (rows[y].contains('#')) return true;
            return false;
        };
        QVERIFY(ink(10, 20));                                    // first line above its baseline
        QVERIFY(!ink(21, 20 + g.TextHeight() - 10));             // a gap below it
        QVERIFY(ink(20 + g.TextHeight() - 8, 20 + g.TextHeight()));  // the second line
        QVERIFY(!ink(0, 5));
    }

    void canvasSurface() {
        auto w = ImplicitWindow<CanvasWindow>();
        Canvas& c = *w->canvas;
        QCOMPARE(c.Snapshot().size(), QSize(20, 10));
        QCOMPARE(c.Snapshot().pixel(3, 3), qRgba(0, 0, 0, 0));  // starts clear
        c.Graphics().ForeColor = RGB(255, 0, 0);
        c.Graphics().FillRect(0, 0, 4, 4);
        QCOMPARE(c.Snapshot().pixel(3, 3), kRed);
        // A larger canvas keeps what was drawn in its top-left corner.
        c.SetBounds(5, 5, 30, 12);
        QCOMPARE(c.Snapshot().size(), QSize(30, 12));
        QCOMPARE(c.Snapshot().pixel(3, 3), kRed);
        QCOMPARE(c.Snapshot().pixel(25, 11), qRgba(0, 0, 0, 0));
        // The backdrop shows under the surface.
        auto back = NewPicture(30, 12, 32);
        back->Graphics().ForeColor = RGB(0, 0, 255);
        back->Graphics().FillRect(0, 0, 30, 12);
        c.SetBackdrop(back);
        QCOMPARE(c.Snapshot().pixel(3, 3), kRed);
        QCOMPARE(c.Snapshot().pixel(10, 8), qRgb(0, 0, 255));
    }

    // One frame of a population: 500 small dots and a copy to the screen.
    void frameSpeed() {
        auto cache = NewPicture(256, 192, 32);
        auto screen = NewPicture(256, 192, 32);
        Graphics& g = cache->Graphics();
        QElapsedTimer t;
        t.start();
        const int frames = 100;
        for (int f = 0; f < frames; ++f) {
            g.ForeColor = RGB(255, 255, 255);
            g.FillRect(0, 0, 256, 192);
            for (int i = 0; i < 500; ++i) {
                g.ForeColor = RGB(i % 255, 80, 160);
                g.FillOval((i * 37 + f) % 250, (i * 53) % 186, 12, 12);
            }
            screen->Graphics().DrawPicture(cache, 0, 0, -10000, -10000, 0, 0, -10000, -10000);
        }
        const double msPerFrame = double(t.elapsed()) / frames;
        qInfo("one frame of 500 dots: %.3f ms", msPerFrame);
        QVERIFY2(msPerFrame < 10.0, qPrintable(QString::number(msPerFrame)));
    }
};

QTEST_MAIN(TestGraphics)
#include "tst_graphics.moc"
