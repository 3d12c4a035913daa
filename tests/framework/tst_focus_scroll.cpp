// Lists' scroll bars and columns, the Tab order where no TabIndex is given
// or controls are hidden or disabled, and the optional focus ring of fields.
// (The laboratories' own lists and focus chains: labs/x11_focus_lists.cpp.)
#include <QScrollBar>
#include <QtTest>

#include "framework/ui/Application.h"
#include "support/Lists.h"
#include "support/Windows.h"

using namespace fw;

namespace {

const int kRowHeight = 37;

// A window built from a recipe: each entry makes one control.
struct Entry {
    std::string kind;  // field, list, button, popup, text, canvas
    std::string name;
    int32_t tabIndex = -1;
    bool visible = true;
    bool enabled = true;
};

class RecipeWindow : public Window {
public:
    std::vector<Entry> parts;
    void Layout() override { SetSize(400, 300); }
    void CreateControls() override {
        int32_t top = 5;
        for (const Entry& p : parts) {
            Ref<Control> c;
            if (p.kind == "field") {
                auto f = AddControl<EditField>(p.name);
                f->SetText("text of " + p.name);
                c = f;
            } else if (p.kind == "list") {
                auto l = AddControl<Listbox>(p.name);
                l->AddRow("row");
                c = l;
            } else if (p.kind == "button") {
                auto b = AddControl<PushButton>(p.name);
                b->SetCaption(p.name);
                c = b;
            } else if (p.kind == "popup") {
                auto m = AddControl<PopupMenu>(p.name);
                m->AddRow("one");
                c = m;
            } else if (p.kind == "text") {
                c = AddControl<StaticText>(p.name);
            } else {
                c = AddControl<Canvas>(p.name);
            }
            c->SetBounds(5, top, 120, 22);
            top += 26;
            c->SetTabIndex(p.tabIndex);
            c->SetVisible(p.visible);
            c->SetEnabled(p.enabled);
        }
    }
};

// A window with one list of the given width and height.
class ListWindow : public Window {
public:
    int32_t width = 278, height = 84;
    void Layout() override { SetSize(500, 300); }
    void CreateControls() override {
        list = AddControl<Listbox>("List");
        list->SetBounds(10, 10, width, height);
        list->SetTextFont("courier");
        list->SetTextSize(12);
    }
    Ref<Listbox> list;
};

std::string letters(int n) {
    static const char kBases[] = "ATGC";
    std::string s;
    for (int i = 0; i < n; ++i) s += kBases[(i * 7 + i / 3) % 4];
    return s;
}

bool hasInk(QWidget* viewport, int top, int height) {
    return rightmostInk(viewport->grab().toImage(), top, height) >= 0;
}

Ref<RecipeWindow> openRecipe(const std::vector<Entry>& parts) {
    auto w = New<RecipeWindow>();
    w->parts = parts;
    w->Construct();
    w->Show();
    return w;
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<Entry>)

class TestFocusScroll : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { CloseAllWindows(); }

    // A bar shows only when it is on and, with auto-hide, when the rows do
    // not fit; only a bar that is on scrolls. (A 500-letter row scrolled to
    // its last letter: the laboratories' lists, in x11_focus_lists.cpp.)
    void scrollBars_data() {
        QTest::addColumn<int>("letters");
        QTest::addColumn<bool>("barOn");
        QTest::addColumn<bool>("autoHide");
        QTest::addColumn<bool>("barShown");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("wide column, empty row") << 0 << true << true << true << true;
        QTest::newRow("short row, bar hidden") << 4 << true << true << false << false;
        QTest::newRow("short row, bar always shown") << 4 << true << false << true << false;
        QTest::newRow("bar off: no sideways scrolling") << 500 << false << true << false << false;
    }
    void scrollBars() {
        QFETCH(int, letters);
        QFETCH(bool, barOn);
        QFETCH(bool, autoHide);
        QFETCH(bool, barShown);
        QFETCH(bool, scrolls);
        auto w = New<ListWindow>();
        w->Construct();
        Listbox& l = *w->list;
        l.SetColumnWidths(letters == 4 ? "100" : "1000");
        l.SetScrollbarHorizontal(barOn);
        l.SetAutoHideScrollbars(autoHide);
        l.AddRow(::letters(letters));
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        QScrollBar* bar = tableOf(l)->horizontalScrollBar();
        QCOMPARE(bar->isVisible(), barShown);
        QCOMPARE(bar->maximum() > 0, scrolls);
    }

    // The column grows with its widest text and goes back to its design
    // width when that text goes.
    void columnFollowsItsWidestText_data() {
        QTest::addColumn<QString>("change");
        QTest::newRow("cell emptied") << "empty";
        QTest::newRow("row removed") << "remove";
        QTest::newRow("all rows deleted") << "delete";
    }
    void columnFollowsItsWidestText() {
        QFETCH(QString, change);
        auto w = New<ListWindow>();
        w->Construct();
        Listbox& l = *w->list;
        l.SetColumnWidths("1000");
        l.AddRow("");
        l.AddRow(::letters(20));
        QTableWidget* t = tableOf(l);
        QCOMPARE(t->columnWidth(0), 1000);
        l.SetCell(0, 0, ::letters(500));
        QVERIFY(t->columnWidth(0) >= t->fontMetrics().horizontalAdvance(QString::fromStdString(::letters(500))));
        if (change == "empty") l.SetCell(0, 0, "");
        if (change == "remove") l.RemoveRow(0);
        if (change == "delete") l.DeleteAllRows();
        QCOMPARE(t->columnWidth(0), 1000);
    }

    // Without its vertical bar the list keeps its rows in place, also when
    // a row only partly in view is clicked; a click never scrolls sideways.
    void rowsStayInPlace() {
        auto w = New<ListWindow>();
        w->height = 84;
        w->Construct();
        Listbox& l = *w->list;
        l.SetColumnWidths("1000");
        l.SetDefaultRowHeight(kRowHeight);
        l.SetScrollbarVertical(false);
        l.AddRow(::letters(500));
        l.AddRow(::letters(500));
        l.AddRow(::letters(500));
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        QTableWidget* t = tableOf(l);
        QVERIFY(!t->verticalScrollBar()->isVisible());
        QCOMPARE(t->verticalScrollBar()->maximum(), 0);
        t->horizontalScrollBar()->setValue(300);
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, QPoint(50, kRowHeight + 30));
        QCOMPARE(l.ListIndex(), 1);
        QCOMPARE(t->verticalScrollBar()->value(), 0);
        QCOMPARE(t->horizontalScrollBar()->value(), 300);
        QTest::keyClick(t, Qt::Key_Down);
        QCOMPARE(l.ListIndex(), 2);
        QCOMPARE(t->verticalScrollBar()->value(), 0);
        // Both rows' letters are in view.
        QVERIFY(hasInk(t->viewport(), 0, kRowHeight));
        QVERIFY(hasInk(t->viewport(), kRowHeight, kRowHeight / 2 + 8));
    }

    // Without a TabIndex, Tab goes through the focusable controls in their
    // creation order, Shift+Tab back; texts and canvases, hidden and
    // disabled controls are passed over. The first field or list in that
    // order has the focus when the window opens. (Chains by TabIndex: the
    // laboratories' in x11_focus_lists.cpp.)
    void tabOrder_data() {
        QTest::addColumn<std::vector<Entry>>("parts");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("creation order") << std::vector<Entry>{{"button", "B"},
                                                             {"canvas", "C"},
                                                             {"field", "F1"},
                                                             {"list", "L"},
                                                             {"field", "F2"}}
                                        << QStringList{"F1", "L", "F2", "B"};
        QTest::newRow("hidden and disabled passed over")
            << std::vector<Entry>{{"field", "Hidden", 0, false},
                                 {"field", "Off", 1, true, false},
                                 {"button", "B", 2},
                                 {"field", "F", 3},
                                 {"list", "L", 4}}
            << QStringList{"F", "L", "B"};
    }
    void tabOrder() {
        QFETCH(std::vector<Entry>, parts);
        QFETCH(QStringList, order);
        auto w = openRecipe(parts);
        QVERIFY(QTest::qWaitForWindowActive(w->widget()));
        const auto [forward, backward] = focusChainOf(*w, order.size());
        QCOMPARE(forward, order);
        QCOMPARE(backward, order);
    }

    // With its focus ring off a field looks the same with and without the
    // focus; with it on, the focus marks its frame.
    void focusRing_data() {
        QTest::addColumn<bool>("ring");
        QTest::newRow("ring") << true;
        QTest::newRow("no ring") << false;
    }
    void focusRing() {
        QFETCH(bool, ring);
        auto w = openRecipe({{"field", "F", 0}, {"field", "G", 1}});
        QVERIFY(QTest::qWaitForWindowActive(w->widget()));
        auto g = w->Ctl<EditField>("G");
        g->SetUseFocusRing(ring);
        auto frameOf = [&] {
            const QImage img = g->widget()->grab().toImage();
            // The frame's middle on the top and bottom edges and on the
            // right edge (the text cursor is on the left).
            return QList<QRgb>{img.pixel(img.width() / 2, 0), img.pixel(img.width() / 2, img.height() - 1),
                               img.pixel(img.width() - 1, img.height() / 2)};
        };
        const auto unfocused = frameOf();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusedName(*w), QString("G"));
        QCOMPARE(frameOf() != unfocused, ring);
    }
};

QTEST_MAIN(TestFocusScroll)
#include "tst_focus_scroll.moc"
