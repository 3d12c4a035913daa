#include <QtTest>

#include <cmath>
#include <type_traits>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/agingVTron.h"
#include "engine/virionTron.h"
#include "framework/core/Text.h"

// Each operation's draws are replayed by hand on a second generator with
// the same seed, which predicts positions, letters, colours and headings.

namespace {
struct FakeCanvas : SpriteCanvas {
    int32_t CanvasWidth() const override { return 200; }
    int32_t CanvasHeight() const override { return 100; }
    bool IsProcessingClick() const override { return false; }
};

// Every deviate is the same value.
class FixedRAlea : public RAlea {
public:
    explicit FixedRAlea(double v) : RAlea(0.0), value(v) {}
    using RAlea::random;
    double random() override { return value; }
    double value;
};

const char kLetters[] = "ATGC";

QString Letters(const fw::Ref<cArray>& seq) {
    QString s;
    for (int32_t i = 1; i <= seq->ubound(); ++i) s += QString::fromStdString(seq->get(i).StringValue());
    return s;
}

// Replays the letter draws of a mutation at pos: until one differs.
void ReplayMutation(RAlea& ref, QString& letters, int32_t pos) {
    QChar b;
    do b = QLatin1Char(kLetters[ref.random(1, 4) - 1]);
    while (b == letters[pos - 1]);
    letters[pos - 1] = b;
}

bool InStep(RAlea& ref) {
    return Globals::myRAlea->random() == ref.random();
}
}  // namespace

class TestVirions : public QObject {
    Q_OBJECT

    // x, y, [heading,] then one letter per position.
    template <class V>
    void checkFounder(double seed, int length) {
        constexpr bool aging = std::is_same_v<V, agingVTron>;
        Globals::SequenceLength = length;
        Globals::myRAlea->setSeed(seed);
        RAlea ref(seed);
        FakeCanvas can;
        auto v = fw::New<V>();
        v->prepare(can);
        const int size = aging ? 8 : 12;
        QCOMPARE(v->width, size);
        QCOMPARE(v->height, size);
        QCOMPARE(v->Fitness, 100.0);
        QVERIFY(v->myColor == fw::RGB(0, 0, 0));
        const double x = size / 2.0 + ref.random() * (200 - 2 * size);
        const double y = size / 2.0 + ref.random() * (100 - 2 * size);
        QVERIFY(v->xLoc == x && v->yLoc == y);
        QCOMPARE(v->X, int32_t(std::lround(x)));
        QCOMPARE(v->Y, int32_t(std::lround(y)));
        QVERIFY(v->direction == (aging ? 6.2831853 * ref.random() : 0.0));
        QCOMPARE(v->speed, aging ? 1.0 : 0.0);
        QVERIFY(v->Sequence->get(0).IsEmpty());
        QString expected;
        for (int i = 0; i < length; ++i) expected += QLatin1Char(kLetters[ref.random(1, 4) - 1]);
        QCOMPARE(Letters(v->Sequence), expected);
        QVERIFY(InStep(ref));
    }

    // Trial, [position, letters, red, green, blue,] [heading].
    template <class V, class Sibling>
    void checkClone(double seed, double once, double twice) {
        constexpr bool aging = std::is_same_v<V, agingVTron>;
        Globals::SequenceLength = 30;
        FakeCanvas can;
        auto p = fw::New<V>();
        p->prepare(can);
        p->width = p->height = 12;
        p->speed = 1.5;
        p->myColor = fw::RGB(1, 2, 3);
        Globals::myRAlea->setSeed(seed);
        RAlea ref(seed);
        fw::Ref<aniTron> base = p->clone();
        QVERIFY(fw::IsA<V>(base));
        QVERIFY(!fw::IsA<Sibling>(base));
        auto c = fw::Cast<V>(base);

        QString expected = Letters(p->Sequence);
        fw::Color color = p->myColor;
        double fitness = 100.0;
        const bool mutant = ref.random() <= Globals::MutRatePerSeq;
        if (mutant) {
            ReplayMutation(ref, expected, ref.random(1, 30));
            int32_t red = fw::ToInt(ref.random() * 255.0);
            int32_t green = fw::ToInt(ref.random() * 255.0);
            int32_t blue = fw::ToInt(ref.random() * 255.0);
            color = fw::RGB(red, green, blue);
            fitness = once;
        }
        QCOMPARE(Letters(c->Sequence), expected);
        QVERIFY(c->myColor == color);
        QVERIFY(c->Fitness == fitness);
        QVERIFY(c->xLoc == p->xLoc && c->yLoc == p->yLoc && c->X == p->X && c->Y == p->Y);
        QCOMPARE(c->width, aging ? 8 : 12);
        QCOMPARE(c->height, aging ? 8 : 12);
        QCOMPARE(c->speed, aging ? 1.5 : 0.0);
        QVERIFY(c->direction == (aging ? 6.2831853 * ref.random() : 0.0));
        QVERIFY(InStep(ref));
        if (mutant && Globals::MutRatePerSeq == 1.0) QVERIFY(c->clone()->Fitness == twice);
        // The copy owns its letters.
        c->Sequence->set(1, fw::Variant("x"));
        QVERIFY(p->Sequence->get(1).StringValue() != "x");
    }

private slots:
    void init() { Globals::StartUp(); }

    void founderDrawOrder_data() {
        QTest::addColumn<bool>("aging");
        QTest::addColumn<double>("seed");
        QTest::addColumn<int>("length");
        QTest::newRow("virionTron") << false << 42.0 << 20;
        QTest::newRow("virionTron, one letter") << false << 7.0 << 1;
        QTest::newRow("agingVTron") << true << 42.0 << 20;
        QTest::newRow("agingVTron, seed 0") << true << 0.0 << 5;
    }
    void founderDrawOrder() {
        QFETCH(bool, aging);
        QFETCH(double, seed);
        QFETCH(int, length);
        if (aging) checkFounder<agingVTron>(seed, length);
        else checkFounder<virionTron>(seed, length);
    }

    void mutateDrawOrder_data() {
        QTest::addColumn<double>("seed");  // negative: demonstrateZero, next deviate 0
        QTest::addColumn<double>("rate");
        QTest::addColumn<bool>("mutates");
        const double first = 29741096258473.0 / 281474976710656.0;  // first deviate of seed 0
        QTest::newRow("rate 1") << 42.0 << 1.0 << true;
        QTest::newRow("rate above 1") << 5.0 << 2.0 << true;
        QTest::newRow("rate 0") << 42.0 << 0.0 << false;
        QTest::newRow("rate 0, deviate exactly 0") << -1.0 << 0.0 << true;
        QTest::newRow("deviate equal to rate") << 0.0 << first << true;
        QTest::newRow("deviate just above rate") << 0.0 << std::nextafter(first, 0.0) << false;
    }
    void mutateDrawOrder() {
        QFETCH(double, seed);
        QFETCH(double, rate);
        QFETCH(bool, mutates);
        const QString letters = "AAAATTTTGGGGCCCCAATG";
        for (bool aging : {false, true}) {
            auto seq = fw::New<cArray>(20);
            for (int i = 0; i < 20; ++i) seq->set(i + 1, fw::Variant(QString(letters[i]).toStdString()));
            RAlea ref(seed < 0 ? 0.0 : seed);
            if (seed < 0) ref.demonstrateZero(), Globals::myRAlea->demonstrateZero();
            else Globals::myRAlea->setSeed(seed);
            auto m = aging ? fw::New<agingVTron>()->mutate(rate, seq) : fw::New<virionTron>()->mutate(rate, seq);
            QCOMPARE(Letters(seq), letters);
            QCOMPARE(bool(m), mutates);
            ref.random();
            if (m) {
                QString expected = letters;
                ReplayMutation(ref, expected, ref.random(1, 20));
                QCOMPARE(Letters(m), expected);
                QVERIFY(m->get(0).IsEmpty());
            }
            QVERIFY(InStep(ref));
        }
    }

    // A mutant's fitness moves by 5 % of its parent's under "B" and "D".
    void cloneDrawOrder_data() {
        QTest::addColumn<bool>("aging");
        QTest::addColumn<double>("seed");
        QTest::addColumn<double>("rate");  // negative: the start-up rate
        QTest::addColumn<QString>("effect");
        QTest::addColumn<double>("once");
        QTest::addColumn<double>("twice");
        QTest::newRow("virionTron mutant, B") << false << 99.0 << 1.0 << "B" << 105.0 << 110.25;
        QTest::newRow("virionTron mutant, other code") << false << 99.0 << 1.0 << "X" << 100.0 << 100.0;
        QTest::newRow("virionTron faithful") << false << 99.0 << 0.0 << "B" << 0.0 << 0.0;
        QTest::newRow("agingVTron mutant, D") << true << 99.0 << 1.0 << "D" << 95.0 << 90.25;
        QTest::newRow("agingVTron mutant, N") << true << 99.0 << 1.0 << "N" << 100.0 << 100.0;
        QTest::newRow("agingVTron faithful") << true << 99.0 << 0.0 << "D" << 0.0 << 0.0;
        QTest::newRow("agingVTron, seed 0, start-up rate") << true << 0.0 << -1.0 << "B" << 0.0 << 0.0;
    }
    void cloneDrawOrder() {
        QFETCH(bool, aging);
        QFETCH(double, seed);
        QFETCH(double, rate);
        QFETCH(QString, effect);
        QFETCH(double, once);
        QFETCH(double, twice);
        if (rate >= 0) Globals::MutRatePerSeq = rate;
        Globals::EffectOnFitness = effect.toStdString();
        if (aging) checkClone<agingVTron, virionTron>(seed, once, twice);
        else checkClone<virionTron, agingVTron>(seed, once, twice);
    }

    // 200 x 100 canvas, 12-pixel sprite: xLoc in [6, 182), yLoc in [6, 82).
    void randomizeLocBounds_data() {
        QTest::addColumn<double>("deviate");
        QTest::addColumn<int>("X");
        QTest::addColumn<int>("Y");
        QTest::newRow("lowest deviate") << 0.0 << 6 << 6;
        QTest::newRow("middle") << 0.5 << 94 << 44;
        QTest::newRow("highest deviate") << 1.0 - std::ldexp(1.0, -48) << 182 << 82;
    }
    void randomizeLocBounds() {
        QFETCH(double, deviate);
        QFETCH(int, X);
        QFETCH(int, Y);
        Globals::myRAlea = fw::New<FixedRAlea>(deviate);
        FakeCanvas can;
        auto v = fw::New<virionTron>();
        v->width = v->height = 12;
        v->randomizeLoc(can);
        QVERIFY(v->xLoc >= 6.0 && v->xLoc < 182.0);
        QVERIFY(v->yLoc >= 6.0 && v->yLoc < 82.0);
        QCOMPARE(v->X, X);
        QCOMPARE(v->Y, Y);
    }
};

QTEST_APPLESS_MAIN(TestVirions)
#include "tst_virions.moc"
