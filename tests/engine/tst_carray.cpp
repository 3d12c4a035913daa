// cArray's shared storage (a clone shares its source's elements until one of
// the two is written; letters are kept one byte each) is invisible through
// the array's operations: every write to one array leaves every other as it
// was, every value reads back as stored, and every index outside 0..ubound
// is refused.
#include <QtTest>

#include <functional>

#include "engine/cArray.h"
#include "support/CArrayText.h"

using Op = std::function<void(cArray&)>;
Q_DECLARE_METATYPE(Op)
Q_DECLARE_METATYPE(fw::Variant)

class TestCArray : public QObject {
    Q_OBJECT

private slots:
    // Every kind of write, to the clone or to its source, changes that one
    // array only; a third array sharing the same letters keeps them too.
    void writesStayWithTheWrittenArray_data() {
        QTest::addColumn<bool>("onClone");
        QTest::addColumn<Op>("op");
        QTest::addColumn<QString>("written");
        const std::pair<const char*, std::pair<Op, QString>> ops[] = {
            {"set letter", {[](cArray& a) { a.set(2, "C"); }, "_ACGCA"}},
            {"set element 0", {[](cArray& a) { a.set(0, "G"); }, "GATGCA"}},
            {"set empty", {[](cArray& a) { a.set(5, fw::Variant()); }, "_ATGC_"}},
            {"set number", {[](cArray& a) { a.set(1, fw::Variant(int32_t(7))); }, "_7TGCA"}},
            {"set word", {[](cArray& a) { a.set(3, "GG"); }, "_ATGGCA"}},
            {"insert", {[](cArray& a) { a.insert(1, "C"); }, "_CATGCA"}},
            {"append", {[](cArray& a) { a.append("T"); }, "_ATGCAT"}},
            {"remove", {[](cArray& a) { a.remove(0); }, "ATGCA"}},
            {"grow", {[](cArray& a) { a.myRedim(7); }, "_ATGCA__"}},
            {"shrink", {[](cArray& a) { a.myRedim(2); }, "_AT"}},
            {"empty", {[](cArray& a) { a.myRedim(-1); }, ""}},
            {"swap", {[](cArray& a) { a.swap(0, 4); }, "CATG_A"}},
            {"reverse", {[](cArray& a) { a.reverse(); }, "ACGTA_"}},
            {"copied into", {[](cArray& a) { Make("xy")->copyTo(fw::Ref<cArray>(&a, [](cArray*) {})); },
                             "xyTGCA"}},
        };
        for (const auto& [name, op] : ops) {
            QTest::newRow(qPrintable(QString("clone: ") + name)) << true << op.first << op.second;
            QTest::newRow(qPrintable(QString("source: ") + name)) << false << op.first << op.second;
        }
    }
    void writesStayWithTheWrittenArray() {
        QFETCH(bool, onClone);
        QFETCH(Op, op);
        QFETCH(QString, written);
        auto source = Make("_ATGCA");
        auto clone = source->clone();
        auto third = clone->clone();
        QCOMPARE(Text(clone), QString("_ATGCA"));
        op(onClone ? *clone : *source);
        QCOMPARE(Text(onClone ? clone : source), written);
        QCOMPARE(Text(onClone ? source : clone), QString("_ATGCA"));
        QCOMPARE(Text(third), QString("_ATGCA"));
        // Writing again after the split changes nothing else either.
        (onClone ? clone : source)->append("G");
        QCOMPARE(Text(third), QString("_ATGCA"));
        QCOMPARE(Text(onClone ? source : clone), QString("_ATGCA"));
    }

    // A value is read back as it was stored, with its type, whether the
    // array holds letters only or has already taken other values.
    void valuesReadBackAsStored_data() {
        QTest::addColumn<fw::Variant>("value");
        QTest::addColumn<bool>("afterNumber");
        auto object = fw::New<cArray>(3);
        const std::pair<const char*, fw::Variant> values[] = {
            {"empty", fw::Variant()},
            {"letter", fw::Variant("G")},
            {"empty string", fw::Variant("")},
            {"two letters", fw::Variant("AT")},
            {"NUL character", fw::Variant(std::string(1, '\0'))},
            {"non-ASCII byte", fw::Variant(std::string(1, '\xe9'))},
            {"integer", fw::Variant(int32_t(-4))},
            {"double", fw::Variant(2.5)},
            {"boolean", fw::Variant(true)},
            {"object", fw::Variant(object)},
        };
        for (const auto& [name, v] : values) {
            QTest::newRow(name) << v << false;
            QTest::newRow(qPrintable(QString(name) + " among Variants")) << v << true;
        }
    }
    void valuesReadBackAsStored() {
        QFETCH(fw::Variant, value);
        QFETCH(bool, afterNumber);
        auto a = Make("_ATGC");
        if (afterNumber) a->set(4, fw::Variant(int32_t(9)));
        auto b = a->clone();
        a->set(2, value);
        a->insert(0, value);
        QVERIFY(a->get(3) == value);
        QVERIFY(a->get(0) == value);
        QVERIFY(a->get(0).type() == value.type());
        QCOMPARE(a->ubound(), 5);
        QVERIFY(a->get(1).IsEmpty());
        QVERIFY(a->get(2) == fw::Variant("A"));
        QVERIFY(a->get(4) == fw::Variant("G"));
        QVERIFY(a->get(5) == (afterNumber ? fw::Variant(int32_t(9)) : fw::Variant("C")));
        QCOMPARE(Text(b), afterNumber ? QString("_ATG9") : QString("_ATGC"));
        a->remove(3);
        QVERIFY(a->get(3) == fw::Variant("G"));
    }

    // Outside 0..ubound every access is refused, shared or not, letters or
    // Variants; nothing is changed by the refusal.
    void indicesOutsideTheBoundsAreRefused_data() {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<bool>("variants");
        QTest::addColumn<bool>("shared");
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("letters") << "_AT" << false << false;
        QTest::newRow("shared letters") << "_AT" << false << true;
        QTest::newRow("Variants") << "_AT" << true << false;
        QTest::newRow("shared Variants") << "_AT" << true << true;
    }
    void indicesOutsideTheBoundsAreRefused() {
        QFETCH(QString, letters);
        QFETCH(bool, variants);
        QFETCH(bool, shared);
        auto a = Make(letters);
        if (variants) a->set(0, fw::Variant(1.5));
        auto keep = shared ? a->clone() : nullptr;
        const QString before = Text(a);
        const int32_t n = a->ubound();
        QVERIFY_THROWS_EXCEPTION(fw::OutOfBoundsException, a->get(-1));
        QVERIFY_THROWS_EXCEPTION(fw::OutOfBoundsException, a->get(n + 1));
        QVERIFY_THROWS_EXCEPTION(fw::OutOfBoundsException, a->set(n + 1, "A"));
        QVERIFY_THROWS_EXCEPTION(fw::OutOfBoundsException, a->set(-1, fw::Variant(3.0)));
        QVERIFY_THROWS_EXCEPTION(fw::OutOfBoundsException, a->remove(n + 1));
        QVERIFY_THROWS_EXCEPTION(fw::OutOfBoundsException, a->insert(n + 2, "A"));
        QVERIFY_THROWS_EXCEPTION(fw::OutOfBoundsException, a->insert(-1, "A"));
        QCOMPARE(Text(a), before);
        QCOMPARE(a->ubound(), n);
        if (keep) QCOMPARE(Text(keep), before);
    }
};

QTEST_MAIN(TestCArray)
#include "tst_carray.moc"
