#include <QtTest>

#include <cmath>
#include <limits>

#include "framework/core/Text.h"
#include "framework/core/Variant.h"

using namespace fw;

class TestText : public QObject {
    Q_OBJECT
private slots:
    void val_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("whole") << "50" << 50.0;
        QTest::newRow("whole with point") << "50.0" << 50.0;
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
        QTest::newRow("lone point") << "." << 0.0;
    }
    void val() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(Val(text.toStdString()), expected);
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

    void toInt_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("truncates up") << 2.9 << 2;
        QTest::newRow("truncates toward zero") << -2.9 << -2;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << std::numeric_limits<int>::max();
        QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << std::numeric_limits<int>::min();
        QTest::newRow("beyond range") << 1e12 << std::numeric_limits<int>::max();
    }
    void toInt() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(ToInt(value), expected);
    }

    void mid_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first") << "ATGC" << 1 << 1 << "A";
        QTest::newRow("last") << "ATGC" << 4 << 1 << "C";
        QTest::newRow("past the end") << "ATGC" << 5 << 1 << "";
        QTest::newRow("to the end") << "ATGC" << 2 << -1 << "TGC";
    }
    void mid() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(Mid(text.toStdString(), start, length)), expected);
    }

    void variantConversions() {
        QCOMPARE(Variant("12").IntegerValue(), 12);
        QCOMPARE(Variant(2.9).IntegerValue(), 2);
        QCOMPARE(Variant(40).StringValue(), std::string("40"));
        QVERIFY(Variant().IsEmpty());
        QCOMPARE(Variant().StringValue(), std::string());
        QVERIFY(!Variant(5).ObjectValue());
        QVERIFY_THROWS_EXCEPTION(NilObjectException, Variant(5).As<Object>());
    }
};

QTEST_APPLESS_MAIN(TestText)
#include "tst_text.moc"
