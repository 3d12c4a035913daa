#include <QtTest>

#include <cmath>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "framework/core/Text.h"

class TestGlobals : public QObject {
    Q_OBJECT
private slots:
    void startUpDefaults() {
        fw::SetMicrosecondsSource([] { return 1234567890123.0; });
        Globals::StartUp();
        fw::Ref<RAlea> first = Globals::myRAlea;
        Globals::PopSize = 7;
        Globals::SequenceLength = 200;
        Globals::EffectOnFitness = "B";
        Globals::MutRatePerSeq = 0.5;
        Globals::StartUp();
        fw::SetMicrosecondsSource({});
        QCOMPARE(Globals::PopSize, 50);
        QCOMPARE(Globals::SequenceLength, 100);
        QCOMPARE(Globals::DotSizeLg, 12);
        QCOMPARE(Globals::DotSizeSm, 8);
        QCOMPARE(Globals::DotSizeTiny, 5);
        QVERIFY(Globals::MutRatePerNuc == 0.0005);
        QVERIFY(Globals::MutRatePerSeq == 1.0 - std::pow(0.9995, 100.0));
        QVERIFY(Globals::MutRatePerSeq == 0.04878246975766576);
        QVERIFY(Globals::EffectOnFitness == "N");
        // A fresh generator, clock-seeded, nothing drawn yet.
        QVERIFY(Globals::myRAlea && Globals::myRAlea != first);
        RAlea ref(890123890123.0);
        QVERIFY(Globals::myRAlea->getSeed() == 890123890123.0);
        QVERIFY(Globals::myRAlea->random() == ref.random());
    }
};

QTEST_APPLESS_MAIN(TestGlobals)
#include "tst_globals.moc"
