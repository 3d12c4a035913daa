// The small shared controls: cached canvas opening, scatter plot, collected-
// virion list, tree bar geometry and counter.
#include <QtTest>

#include <string>
#include <vector>

#include "engine/HLine.h"
#include "engine/agingVTron.h"
#include "engine/cArray.h"
#include "engine/counter.h"
#include "engine/driftCan.h"
#include "engine/dropBox.h"
#include "engine/scatterCan.h"
#include "engine/virionTron.h"
#include "framework/core/Text.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"

namespace {

class ControlsWindow : public fw::Window {
public:
    fw::Ref<CacheCan> cache;
    fw::Ref<scatterCan> plot;
    fw::Ref<dropBox> list;
    fw::Ref<HLine> bar;
    fw::Ref<VLine> leftV, rightV;
    std::vector<fw::Ref<driftCan>> cans;
    fw::Ref<counter> count;
    bool cacheAtSetProperties = false;
    int setPropertiesRaised = 0;

    void CreateControls() override {
        cache = AddControl<CacheCan>("cache");
        cache->SetBounds(400, 10, 30, 20);
        cache->SetProperties.Bind([this] {
            ++setPropertiesRaised;
            cacheAtSetProperties = cache->Cache && cache->Cache->Width() == 30 && cache->Cache->Height() == 20;
        });
        plot = AddControl<scatterCan>("plot");
        plot->SetBounds(10, 10, 256, 192);
        list = AddControl<dropBox>("list");
        list->SetBounds(300, 50, 300, 150);
        list->SetColumnCount(3);
        list->SetSelectionType(1);
        list->SetInitialValue("Generation\tDifferences\tSequence");
        for (int i = 0; i < 4; ++i) {
            cans.push_back(AddControl<driftCan>("can", i));
            cans.back()->SetBounds(100 + 60 * i, 355, 40, 40);
        }
        bar = AddControl<HLine>("bar");
        leftV = AddControl<VLine>("leftV");
        rightV = AddControl<VLine>("rightV");
        count = AddControl<counter>("count");
        count->SetBounds(10, 220, 60, 20);
        count->SetText("GenCounter");
    }
};

fw::Ref<cArray> series(const QVector<int>& v) {
    auto a = fw::New<cArray>();
    for (int x : v) a->append(fw::Variant(fw::Str(x)));
    return a;
}

fw::Ref<agingVTron> drifter(const std::string& letters) {
    auto v = fw::New<agingVTron>();
    v->Sequence = fw::New<cArray>(int32_t(letters.size()));
    for (size_t i = 0; i < letters.size(); ++i) v->Sequence->set(int32_t(i + 1), fw::Variant(letters.substr(i, 1)));
    return v;
}

bool red(const QImage& img, int x, int y) {
    return img.pixelColor(x, y) == QColor(240, 25, 25);
}

}  // namespace

class TestControls : public QObject {
    Q_OBJECT

    fw::Ref<ControlsWindow> win;

private slots:
    void initTestCase() {
        win = fw::ImplicitWindow<ControlsWindow>();
    }

    void cacheMadeOnceBeforeSetProperties() {
        QCOMPARE(win->setPropertiesRaised, 1);
        QVERIFY(win->cacheAtSetProperties);
        QCOMPARE(win->plot->margin, 6);
        // A paint request copies the picture; ClearCache whitens all of it.
        auto& g = win->cache->Cache->Graphics();
        g.ForeColor = fw::RGB(9, 9, 9);
        g.FillRect(0, 0, 30, 20);
        win->cache->BlitCache();
        QCOMPARE(win->cache->Snapshot().pixelColor(29, 19), QColor(9, 9, 9));
        win->cache->ClearCache();
        QCOMPARE(win->cache->Cache->image().pixelColor(29, 19), QColor(Qt::white));
    }

    void scatterDots_data() {
        QTest::addColumn<QVector<int>>("bounds");  // xmin xmax ymin ymax, empty: from the data
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QPoint>("corner");
        QTest::newRow("minimum corner") << QVector<int>{12, 40, 0, 10} << 12 << 0 << QPoint(2, 182);
        QTest::newRow("maximum corner") << QVector<int>{12, 40, 0, 10} << 40 << 10 << QPoint(246, 2);
        QTest::newRow("middle height") << QVector<int>{12, 40, 0, 10} << 12 << 5 << QPoint(2, 92);
        QTest::newRow("one generation") << QVector<int>{30, 30, 0, 10} << 30 << 10 << QPoint(124, 2);
        QTest::newRow("flat y range") << QVector<int>{0, 10, 7, 7} << 10 << 7 << QPoint(246, 92);
        QTest::newRow("data bounds") << QVector<int>{} << 50 << 20 << QPoint(246, 2);
        QTest::newRow("data all zero") << QVector<int>{} << 0 << 0 << QPoint(124, 92);
    }
    void scatterDots() {
        QFETCH(QVector<int>, bounds);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QPoint, corner);
        scatterCan& plot = *win->plot;
        plot.ClearCache();
        if (bounds.isEmpty())
            plot.scatterplot(series({x}), series({y}));
        else
            plot.scatterplot(series({x}), series({y}), bounds[0], bounds[1], bounds[2], bounds[3]);
        const QImage& img = plot.Cache->image();
        // The 8 x 8 dot covers columns and rows corner to corner + 7, no more.
        const int cx = corner.x(), cy = corner.y();
        QVERIFY(red(img, cx, cy + 4) && red(img, cx + 7, cy + 4) && red(img, cx + 4, cy) && red(img, cx + 4, cy + 7));
        QVERIFY(!red(img, cx - 1, cy + 4) && !red(img, cx + 8, cy + 4) && !red(img, cx + 4, cy - 1) &&
                !red(img, cx + 4, cy + 8));
    }

    void listRows_data() {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("differences");
        QTest::newRow("first is the reference") << "ATGCA" << "0";
        QTest::newRow("two changed") << "TTGCC" << "2";
        QTest::newRow("longer than the reference") << "ATGCAGG" << "2";
        QTest::newRow("shorter") << "ATG" << "0";
        QTest::newRow("every letter") << "GCATT" << "5";
    }
    void listRows() {
        QFETCH(QString, letters);
        QFETCH(QString, differences);
        dropBox& list = *win->list;
        const int before = list.ListCount();
        list.TronDrop(drifter(letters.toStdString()), "g" + std::to_string(before));
        QCOMPARE(list.ListCount(), before + 1);
        QCOMPARE(QString::fromStdString(list.Cell(before, 0)), QString("g%1").arg(before));
        QCOMPARE(QString::fromStdString(list.Cell(before, 1)), differences);
        QCOMPARE(QString::fromStdString(list.Cell(before, 2)), letters);
        auto other = fw::New<virionTron>();  // not a Drift virion: no row
        other->Sequence = fw::New<cArray>(3);
        list.TronDrop(other, "7");
        QCOMPARE(list.ListCount(), before + 1);
    }

    void copy_data() {
        QTest::addColumn<QVector<int>>("select");  // in the order they are selected
        QTest::addColumn<QVector<int>>("rows");    // rows expected on the clipboard
        QTest::newRow("contiguous") << QVector<int>{2, 3} << QVector<int>{2, 3};
        QTest::newRow("with a gap") << QVector<int>{1, 3, 5} << QVector<int>{1, 3, 5};
        QTest::newRow("current row not lowest") << QVector<int>{4, 2} << QVector<int>{2, 4};
        QTest::newRow("title row") << QVector<int>{0} << QVector<int>{0};
        QTest::newRow("none") << QVector<int>{} << QVector<int>{};
    }
    void copy() {
        QFETCH(QVector<int>, select);
        QFETCH(QVector<int>, rows);
        dropBox& list = *win->list;
        QVERIFY(list.ListCount() >= 6);
        list.SetListIndex(-1);
        for (int r : select) list.SetSelected(r, true);
        std::string want;
        for (int r : rows)
            want += list.Cell(r, 0) + "\t" + list.Cell(r, 1) + "\t" + list.Cell(r, 2) + "\t\r";
        auto clip = fw::New<fw::Clipboard>();
        clip->Text = "stale";
        clip->Close();
        QCOMPARE(list._EditCopy_Action(), false);
        QCOMPARE(QString::fromStdString(fw::ClipboardText()), QString::fromStdString(want));
    }

    void copyIsEnabledThroughTheMenuBar() {
        QVERIFY_THROWS_EXCEPTION(fw::NilObjectException, win->list->Event_EnableMenuItems());
        auto app = fw::New<fw::Application>();
        app->MenuBar = fw::New<fw::MenuBar>();
        auto edit = fw::New<fw::MenuItem>(), copyItem = fw::New<fw::MenuItem>();
        app->MenuBar->Append(edit);
        fw::RegisterApp(app);
        QVERIFY_THROWS_EXCEPTION(fw::NilObjectException, win->list->Event_EnableMenuItems());
        copyItem->Name = "EditCopy";
        copyItem->Disable();
        edit->Append(copyItem);
        win->list->SetListIndex(-1);  // enabled with nothing selected
        win->list->Event_EnableMenuItems();
        QVERIFY(copyItem->Enabled());
    }

    void barGeometry_data() {
        QTest::addColumn<QVector<int>>("leftLefts");
        QTest::addColumn<QVector<int>>("rightLefts");
        QTest::addColumn<QVector<int>>("expected");  // bar x1 x2; left line y1; right line y1
        // Canvases sit at Top 355; the lines start from y1 = 500.
        QTest::newRow("one each side") << QVector<int>{311} << QVector<int>{400} << QVector<int>{331, 420, 396, 396};
        QTest::newRow("two on the left") << QVector<int>{100, 150} << QVector<int>{400}
                                         << QVector<int>{145, 420, 500, 396};
        QTest::newRow("fractional mean truncates") << QVector<int>{100, 101} << QVector<int>{200, 203}
                                                   << QVector<int>{120, 221, 500, 500};
        QTest::newRow("empty left end stays") << QVector<int>{} << QVector<int>{400}
                                              << QVector<int>{77, 420, 500, 396};
    }
    void barGeometry() {
        QFETCH(QVector<int>, leftLefts);
        QFETCH(QVector<int>, rightLefts);
        QFETCH(QVector<int>, expected);
        HLine& bar = *win->bar;
        bar.LeftEnd.Redim(-1);
        bar.RightEnd.Redim(-1);
        bar.SetPoints(77, 1, 88, 1);
        bar.leftVLine = win->leftV;
        bar.rightVLine = win->rightV;
        win->leftV->SetPoints(77, 500, 77, 1);
        win->rightV->SetPoints(88, 500, 88, 1);
        bar.TimeDepth = 380;
        int k = 0;
        for (int left : leftLefts) {
            win->cans[k]->SetLeft(left);
            bar.LeftEnd.Append(win->cans[k++]);
        }
        for (int left : rightLefts) {
            win->cans[k]->SetLeft(left);
            bar.RightEnd.Append(win->cans[k++]);
        }
        for (int pass = 0; pass < 2; ++pass) {
            bar.Reposition();
            QCOMPARE(QVector<int>({bar.X1(), bar.Y1(), bar.X2(), bar.Y2()}),
                     QVector<int>({expected[0], 380, expected[1], 380}));
            QCOMPARE(QVector<int>({win->leftV->X1(), win->leftV->Y1(), win->leftV->X2(), win->leftV->Y2()}),
                     QVector<int>({expected[0], expected[2], expected[0], leftLefts.isEmpty() ? 1 : 380}));
            QCOMPARE(QVector<int>({win->rightV->X1(), win->rightV->Y1(), win->rightV->X2(), win->rightV->Y2()}),
                     QVector<int>({expected[1], expected[3], expected[1], 380}));
        }
    }

    void barContains() {
        HLine& bar = *win->bar;
        bar.LeftEnd.Redim(-1);
        bar.RightEnd.Redim(-1);
        QCOMPARE(bar.LeftContains(win->cans[0]), -1);
        for (int i : {1, 0, 1}) bar.LeftEnd.Append(win->cans[i]);
        bar.RightEnd.Append(win->cans[2]);
        QCOMPARE(bar.LeftContains(win->cans[1]), 0);
        QCOMPARE(bar.LeftContains(win->cans[0]), 1);
        QCOMPARE(bar.LeftContains(win->cans[2]), -1);
        QCOMPARE(bar.RightContains(win->cans[2]), 0);
        QCOMPARE(bar.RightContains(win->cans[1]), -1);
    }

    void counting_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("ops");  // i increment, d decrement, s set 500, z zero
        QTest::addColumn<QString>("shown");
        QTest::newRow("opened") << "" << "" << "0";
        QTest::newRow("below zero") << "0" << "d" << "-1";
        QTest::newRow("not a number") << "abc" << "i" << "1";
        QTest::newRow("set then down") << "3" << "sddd" << "497";
        QTest::newRow("up past 999") << "999" << "ii" << "1001";
        QTest::newRow("zero") << "42" << "z" << "0";
    }
    void counting() {
        QFETCH(QString, start);
        QFETCH(QString, ops);
        QFETCH(QString, shown);
        counter& c = *win->count;
        if (!start.isEmpty()) c.SetText(start.toStdString());
        for (QChar op : ops) {
            if (op == 'i') c.increment();
            if (op == 'd') c.decrement();
            if (op == 's') c.set(500);
            if (op == 'z') c.zero();
        }
        QCOMPARE(QString::fromStdString(c.Text()), shown);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
