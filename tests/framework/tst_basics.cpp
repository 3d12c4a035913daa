// Drawing into pictures, pixel by pixel, and the text conversions.
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

#include "framework/core/Text.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"

using namespace fw;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);

// The picture as rows of '.' (white), '#' (the ink) and '?' (anything else).
QStringList rowsOf(const Picture& p, QRgb ink = qRgb(0, 0, 0)) {
    QStringList rows;
    for (int y = 0; y < p.Height(); ++y) {
        QString row;
        for (int x = 0; x < p.Width(); ++x) {
            const QRgb c = p.image().pixel(x, y);
            row += c == kWhite ? '.' : c == ink ? '#' : '?';
        }
        rows << row;
    }
    return rows;
}

}  // namespace

class TestGraphics : public QObject {
    Q_OBJECT
private slots:
    // Every rectangle and oval call, in the fore colour, against the exact
    // pixels it must cover.
    void shapes_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QRect>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fill") << "fill" << QRect(1, 1, 3, 2) << "......|.###..|.###..|......|......";
        QTest::newRow("fill empty") << "fill" << QRect(1, 1, 0, 3) << "......|......|......|......|......";
        QTest::newRow("fill clipped") << "fill" << QRect(-2, 3, 4, 9) << "......|......|......|##....|##....";
        QTest::newRow("frame") << "frame" << QRect(1, 1, 3, 2) << "......|.####.|.#..#.|.####.|......";
        QTest::newRow("frame whole picture") << "frame" << QRect(0, 0, 5, 4) << "######|#....#|#....#|#....#|######";
        QTest::newRow("frame zero width") << "frame" << QRect(2, 1, 0, 2) << "......|..#...|..#...|..#...|......";
        QTest::newRow("oval 8x8") << "oval" << QRect(0, 0, 8, 8)
                                  << "..####..|.######.|########|########|########|########|.######.|..####..";
        QTest::newRow("oval 5x5 offset") << "oval" << QRect(1, 2, 5, 5)
                                         << "........|........|..###...|.#####..|.#####..|.#####..|..###...|........";
        QTest::newRow("oval 1x1") << "oval" << QRect(3, 3, 1, 1) << "......|......|......|...#..|......";
        QTest::newRow("oval clipped") << "oval" << QRect(-4, -4, 8, 8) << "####..|####..|###...|##....|......";
    }
    void shapes() {
        QFETCH(QString, shape);
        QFETCH(QRect, args);
        QFETCH(QString, expected);
        const QStringList rows = expected.split('|');
        auto p = NewPicture(rows[0].size(), rows.size(), 32);
        Graphics& g = p->Graphics();
        g.ForeColor = RGB(0, 0, 255);
        auto draw = shape == "oval" ? &Graphics::FillOval : shape == "fill" ? &Graphics::FillRect : &Graphics::DrawRect;
        (g.*draw)(args.x(), args.y(), args.width(), args.height());
        QCOMPARE(rowsOf(*p, qRgb(0, 0, 255)).join('|'), expected);
    }

    void transparentPicture_data() {
        QTest::addColumn<int>("transparent");
        QTest::addColumn<QRgb>("whiteShowsAs");
        QTest::newRow("opaque") << 0 << kWhite;
        QTest::newRow("transparent") << 1 << kRed;
    }
    void transparentPicture() {
        QFETCH(int, transparent);
        QFETCH(QRgb, whiteShowsAs);
        auto target = NewPicture(8, 8, 32);
        target->Graphics().ForeColor = RGB(255, 0, 0);
        target->Graphics().FillRect(0, 0, 8, 8);
        auto sprite = NewPicture(4, 4, 32);
        sprite->Graphics().FillRect(1, 1, 1, 1);
        sprite->Transparent = transparent;
        target->Graphics().DrawPicture(sprite, 2, 2);
        QCOMPARE(target->image().pixel(3, 3), qRgb(0, 0, 0));
        QCOMPARE(target->image().pixel(2, 2), whiteShowsAs);
        QCOMPARE(target->image().pixel(5, 5), whiteShowsAs);
        QCOMPARE(target->image().pixel(6, 6), kRed);
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
            return rows.mid(from, to - from + 1).join("").contains(QRegularExpression("[#?]"));
        };
        QVERIFY(ink(10, 20));
        QVERIFY(!ink(21, 20 + g.TextHeight() - 10));
        QVERIFY(ink(20 + g.TextHeight() - 8, 20 + g.TextHeight()));
        QVERIFY(!ink(0, 5));
    }

    void val_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("whole") << "50" << 50.0;
        QTest::newRow("fraction") << "2.5" << 2.5;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("leading blanks") << "  12" << 12.0;
        QTest::newRow("trailing text") << "12abc" << 12.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("bare exponent letter") << "4e" << 4.0;
        QTest::newRow("inf") << "inf" << 0.0;
        QTest::newRow("nan") << "nan" << 0.0;
        QTest::newRow("hex") << "0x1F" << 0.0;
        QTest::newRow("lone sign") << "-" << 0.0;
        // Beyond a Double: 0 or the largest, with the sign.
        const double largest = std::numeric_limits<double>::max();
        QTest::newRow("too small") << "1E-400" << 0.0;
        QTest::newRow("too small, below 1 before the exponent") << "0.5E-330" << 0.0;
        QTest::newRow("too small, written out") << "0." + QString(400, '0') + "1" << 0.0;
        QTest::newRow("too small, negative") << "-1E-400" << -0.0;
        QTest::newRow("too large") << "1E400" << largest;
        QTest::newRow("too large, written out") << "-1" + QString(400, '0') << -largest;
        QTest::newRow("too large, from below 1") << "0.001e312" << largest;
    }
    void val() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const double v = Val(text.toStdString());
        QCOMPARE(v, expected);
        QCOMPARE(std::signbit(v), std::signbit(expected));
    }

    void strOfDouble_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("whole") << 1001.0 << "1001";
        QTest::newRow("negative whole") << -1.0 << "-1";
        QTest::newRow("large whole") << 1e6 << "1000000";
        QTest::newRow("fraction") << 2.5 << "2.5";
    }
    void strOfDouble() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(Str(value)), expected);
    }

    // Round is the library's round, bit for bit (the sign of a zero
    // included), inside the 32-bit range and beyond it; RoundToInt is
    // ToInt of it.
    void round_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("half up") << 2.5 << 3.0;
        QTest::newRow("half down") << -2.5 << -3.0;
        QTest::newRow("just below a half") << 0.49999999999999994 << 0.0;
        QTest::newRow("small negative") << -0.3 << -0.0;
        QTest::newRow("minus zero") << -0.0 << -0.0;
        QTest::newRow("a pixel position") << 187.50000000000003 << 188.0;
        QTest::newRow("at the top of the range") << 2147483647.5 << 2147483648.0;
        QTest::newRow("below the range") << -2147483648.5 << -2147483649.0;
        QTest::newRow("just inside the range") << 2147483647.4 << 2147483647.0;
        QTest::newRow("huge") << 1e300 << 1e300;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity()
                                  << std::numeric_limits<double>::infinity();
        QTest::newRow("nan") << nan << nan;
    }
    void round() {
        QFETCH(double, value);
        QFETCH(double, expected);
        auto bits = [](double d) {
            uint64_t b;
            std::memcpy(&b, &d, sizeof b);
            return b;
        };
        QCOMPARE(bits(Round(value)), bits(std::round(value)));
        if (!std::isnan(expected)) QCOMPARE(bits(Round(value)), bits(expected));
        QCOMPARE(RoundToInt(value), ToInt(Round(value)));
        QCOMPARE(RoundToInt(-value), ToInt(Round(-value)));
    }
};

QTEST_MAIN(TestGraphics)
#include "tst_basics.moc"
