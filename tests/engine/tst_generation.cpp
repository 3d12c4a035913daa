// The generation canvas accepts only virions as parents. (The draws are
// pinned by the checksum test; what offspring share, by tst_carray and
// tst_engine's clone checks.)
#include <QtTest>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/agingVTron.h"
#include "engine/driftCan.h"
#include "engine/virionTron.h"
#include "framework/ui/Window.h"

namespace {

struct GenWindow : fw::Window {
    fw::Ref<driftCan> can;
    void CreateControls() override { (can = AddControl<driftCan>("can"))->SetBounds(10, 10, 100, 100); }
};

// A virion of a class of its own is still a virion.
struct TaggedVirion : virionTron {};

fw::Ref<aniTron> Sprite(int kind) {
    switch (kind) {
    case 0: return fw::New<virionTron>();
    case 1: return fw::New<TaggedVirion>();
    case 2: return fw::New<agingVTron>();
    case 3: return fw::New<aniTron>();
    default: return nullptr;
    }
}

}  // namespace

class TestGeneration : public QObject {
    Q_OBJECT

    fw::Ref<GenWindow> win;

private slots:
    void initTestCase() { win = fw::ImplicitWindow<GenWindow>(); }
    void init() {
        Globals::StartUp();
        Globals::myRAlea->setSeed(5.0);
        Globals::PopSize = 40;
        Globals::SequenceLength = 30;
        win->can->clear();
    }

    // Every sprite must be a virion (of any class derived from virionTron):
    // any other sprite, or a missing one, is refused with the framework's
    // nil-object exception whether it is met by the search for the highest
    // fitness or by the parent draw.
    void parentsMustBeVirions_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("virionTron") << 0 << true;
        QTest::newRow("derived virion") << 1 << true;
        QTest::newRow("aging virion") << 2 << false;
        QTest::newRow("plain sprite") << 3 << false;
        QTest::newRow("nil") << 4 << false;
    }
    void parentsMustBeVirions() {
        QFETCH(int, kind);
        QFETCH(bool, accepted);
        driftCan& can = *win->can;
        auto founder = fw::New<virionTron>();
        founder->prepare(can);
        can.AniTrons.Redim(3);
        can.AniTrons(1) = founder;
        can.AniTrons(2) = founder->clone();
        can.AniTrons(3) = Sprite(kind);
        if (auto v = fw::As<virionTron>(can.AniTrons(3))) {
            v->Sequence = founder->Sequence->clone();
            v->Fitness = 100.0;
        }
        if (accepted) {
            can.redraw();
            QCOMPARE(can.AniTrons.UBound(), Globals::PopSize);
            for (int32_t i = 1; i <= can.AniTrons.UBound(); ++i)
                QVERIFY(fw::IsA<virionTron>(can.AniTrons(i)));
        } else {
            QVERIFY_THROWS_EXCEPTION(fw::NilObjectException, can.GetMaxFitness());
            QVERIFY_THROWS_EXCEPTION(fw::NilObjectException, can.redraw());
        }
    }
};

QTEST_MAIN(TestGeneration)
#include "tst_generation.moc"
