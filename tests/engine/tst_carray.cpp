#include <QtTest>

#include "engine/cArray.h"

namespace {
// One element per character; '_' is an empty element.
fw::Ref<cArray> Make(const QString& text) {
    auto a = fw::New<cArray>();
    for (QChar c : text) a->append(c == '_' ? fw::Variant() : fw::Variant(QString(c).toStdString()));
    return a;
}

QString Text(const fw::Ref<cArray>& a) {
    QString s;
    for (int32_t i = 0; i <= a->ubound(); ++i) {
        fw::Variant v = a->get(i);
        s += v.IsEmpty() ? QString("_") : QString::fromStdString(v.StringValue());
    }
    return s;
}
}  // namespace

class TestCArray : public QObject {
    Q_OBJECT
private slots:
    void constructorAndAppend() {
        auto a = fw::New<cArray>(100);
        QCOMPARE(Text(a), QString(101, '_'));
        QVERIFY_THROWS_EXCEPTION(fw::OutOfBoundsException, a->get(101));
        auto e = fw::New<cArray>();
        QCOMPARE(e->ubound(), -1);
        e->append(fw::Variant("A"));
        QCOMPARE(Text(e), QString("A"));
    }

    // dest keeps its size; only indices both arrays have are copied.
    void copyTo_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("dest");
        QTest::addColumn<QString>("expected");
        QTest::newRow("into smaller") << "ABCDEFGHIJK" << "______" << "ABCDEF";
        QTest::newRow("into larger") << "AB" << "xyzw" << "ABzw";
        QTest::newRow("into empty") << "ABC" << "" << "";
        QTest::newRow("from empty") << "" << "xyz" << "xyz";
        QTest::newRow("empty elements copied") << "A_C" << "xyz" << "A_C";
    }
    void copyTo() {
        QFETCH(QString, source);
        QFETCH(QString, dest);
        QFETCH(QString, expected);
        auto d = Make(dest);
        Make(source)->copyTo(d);
        QCOMPARE(Text(d), expected);
    }

    void clone_data() {
        QTest::addColumn<QString>("source");
        QTest::newRow("sequence") << "_ATGCCGTAAGT";
        QTest::newRow("empty") << "";
    }
    void clone() {
        QFETCH(QString, source);
        auto s = Make(source);
        auto c = s->clone();
        QCOMPARE(Text(c), source);
        c->append(fw::Variant("x"));
        if (c->ubound() > 0) c->set(1, fw::Variant("x"));
        QCOMPARE(Text(s), source);
    }

    void reverse_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("one") << "A" << "A";
        QTest::newRow("two") << "_A" << "A_";
        QTest::newRow("odd upper bound") << "_ATG" << "GTA_";
        QTest::newRow("even upper bound") << "_ATGC" << "CGTA_";
    }
    void reverse() {
        QFETCH(QString, start);
        QFETCH(QString, expected);
        auto a = Make(start);
        a->reverse();
        QCOMPARE(Text(a), expected);
    }
};

QTEST_APPLESS_MAIN(TestCArray)
#include "tst_carray.moc"
