// Windows, controls and menus of the window layer.
#include <QLabel>
#include <QMenuBar>
#include <QtTest>

#include "framework/ui/Application.h"
#include "framework/ui/Window.h"

using namespace fw;

namespace {

QStringList events;

class LoggingCanvas : public Canvas {
public:
    void Event_Open() override { events << "open " + QString::fromStdString(Name()); }
};

class LoggingList : public Listbox {
public:
    void Event_EnableMenuItems() override { events << "enable list"; }
};

class TestWindow : public Window {
public:
    bool grab = false;
    void Layout() override {
        events << "Layout";
        SetTitle("Test");
        SetSize(300, 200);
        SetVisible(true);
    }
    void CreateControls() override {
        events << "CreateControls";
        auto frame = AddControl<Rectangle>("Rectangle1");
        frame->SetBounds(5, 5, 100, 60);
        for (int i = 0; i < 2; ++i) AddControl<LoggingCanvas>("Canvas", i)->SetBounds(10 + 50 * i, 10, 40, 40);
        AddControl<StaticText>("Label")->SetBounds(10, 70, 80, 20);
        AddControl<PushButton>("Button")->SetBounds(10, 100, 80, 24);
        auto line = AddControl<Line>("Line1");
        line->SetPoints(150, 20, 250, 20);
        line->SetBorderWidth(3);
        auto list = AddControl<LoggingList>("List");
        list->SetBounds(150, 100, 140, 90);
        list->AddMenuHandler("EditCopy", [] { events << "list copy"; return false; });
    }
    void AddMenuHandlers() override {
        events << "AddMenuHandlers";
        AddMenuHandler("EditCopy", [] { events << "window copy"; return false; });
        AddMenuHandler("FileReset", [] { events << "window reset"; return false; });
    }
    void Event_Open() override { events << "window open, visible " + QString::number(Visible()); }
    bool Event_MouseDown(int32_t x, int32_t y) override {
        events << QStringLiteral("down %1,%2").arg(x).arg(y);
        return grab;
    }
    void Event_MouseDrag(int32_t x, int32_t y) override { events << QStringLiteral("drag %1,%2").arg(x).arg(y); }
    void Event_MouseUp(int32_t x, int32_t y) override { events << QStringLiteral("up %1,%2").arg(x).arg(y); }
    void Event_EnableMenuItems() override {
        events << "enable window";
        App_()->MenuBar->Find("FileReset")->Enable();
    }
};

class OtherWindow : public Window {};

class TestApp : public Application {
public:
    void Event_EnableMenuItems() override {
        events << "enable app";
        MenuBar->Find("EditCopy")->Enable();
    }
};

Ref<MenuItem> item(const std::string& name, const std::string& text, const std::string& shortcut = "") {
    Ref<MenuItem> m = New<MenuItem>();
    m->Name = name;
    m->Text = text;
    m->KeyboardShortcut = shortcut;
    return m;
}

Ref<TestWindow> shownWindow() {
    auto w = ImplicitWindow<TestWindow>();
    if (!QTest::qWaitForWindowExposed(w->widget())) qWarning("window not exposed");
    return w;
}

}  // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        auto app = New<TestApp>();
        app->MenuBar = New<MenuBar>();
        auto file = item("UntitledMenu3", "File");
        file->Append(item("FileReset", "Reset..."));
        Ref<MenuItem> quit = New<QuitMenuItem>();
        quit->Name = "FileQuit";
        quit->Text = "Quit";
        quit->KeyboardShortcut = "Cmd+Q";
        file->Append(quit);
        auto edit = item("UntitledMenu1", "Edit");
        edit->Append(item("EditUndo", "Undo", "Cmd+Z"));
        edit->Append(item("UntitledMenu2", "-"));
        edit->Append(item("EditCopy", "Copy", "Cmd+C"));
        app->MenuBar->Append(file);
        app->MenuBar->Append(edit);
        app->AddMenuHandler("EditCopy", [] { events << "app copy"; return false; });
        app->AddMenuHandler("EditUndo", [] { events << "app undo"; return false; });
        RegisterApp(app);
    }
    void init() { events.clear(); }
    void cleanup() {
        for (const auto& w : OpenWindows()) w->Close();
        ProcessPendingEvents();
    }

    void constructionOrder() {
        auto w = ImplicitWindow<TestWindow>();
        QCOMPARE(events, (QStringList{"Layout", "CreateControls", "AddMenuHandlers", "open Canvas", "open Canvas",
                                      "window open, visible 1"}));
        QVERIFY(w->Visible());
        QCOMPARE(w->Title(), std::string("Test"));
        QCOMPARE(w->Width(), 300);
        QCOMPARE(w->contentWidget()->size(), QSize(300, 200));
    }

    void accessorRule() {
        auto a = ImplicitWindow<TestWindow>();
        QCOMPARE(ImplicitWindow<TestWindow>(), a);
        auto other = ImplicitWindow<OtherWindow>();
        QVERIFY(!other->Visible());  // no layout asked for it
        QCOMPARE(OpenWindows().size(), size_t(2));
        a->Close();
        auto b = ImplicitWindow<TestWindow>();
        QVERIFY(b != a);
        QCOMPARE(ImplicitWindow<TestWindow>(), b);
        QCOMPARE(ImplicitWindow<OtherWindow>(), other);
    }

    void lookup_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("asClass");
        QTest::addColumn<bool>("found");
        QTest::addColumn<bool>("castOk");
        QTest::newRow("plain") << "Label" << -1 << "StaticText" << true << true;
        QTest::newRow("array member") << "Canvas" << 1 << "Canvas" << true << true;
        QTest::newRow("array needs index") << "Canvas" << -1 << "Canvas" << false << false;
        QTest::newRow("index past the array") << "Canvas" << 2 << "Canvas" << false << false;
        QTest::newRow("no such name") << "Nothing" << -1 << "Canvas" << false << false;
        QTest::newRow("wrong class") << "Label" << -1 << "Canvas" << true << false;
        QTest::newRow("base class") << "Canvas" << 0 << "Control" << true << true;
    }
    void lookup() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QString, asClass);
        QFETCH(bool, found);
        QFETCH(bool, castOk);
        auto w = ImplicitWindow<TestWindow>();
        const std::string n = name.toStdString();
        QCOMPARE(w->FindControl(n, index) != nullptr, found);
        auto cast = [&] {
            if (asClass == "Canvas") return Ref<Control>(w->Ctl<Canvas>(n, index));
            if (asClass == "StaticText") return Ref<Control>(w->Ctl<StaticText>(n, index));
            return w->Ctl<Control>(n, index);
        };
        if (castOk) {
            QCOMPARE(cast(), w->FindControl(n, index));
            QCOMPARE(cast()->Index(), index);
        } else {
            QVERIFY_THROWS_EXCEPTION(NilObjectException, cast());
        }
    }

    // Presses through the window system: on canvases, texts, rectangles and
    // lines they reach the window, in window coordinates.
    void mouseRouting_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("canvas") << QPoint(65, 30) << QStringList{"down 65,30"};
        QTest::newRow("rectangle") << QPoint(8, 62) << QStringList{"down 8,62"};
        QTest::newRow("label") << QPoint(20, 75) << QStringList{"down 20,75"};
        QTest::newRow("line") << QPoint(200, 20) << QStringList{"down 200,20"};
        QTest::newRow("bare window") << QPoint(280, 10) << QStringList{"down 280,10"};
        QTest::newRow("button") << QPoint(20, 110) << QStringList{};
        QTest::newRow("list") << QPoint(200, 150) << QStringList{};
    }
    void mouseRouting() {
        QFETCH(QPoint, at);
        QFETCH(QStringList, expected);
        auto w = shownWindow();
        events.clear();
        const QPoint p = w->contentWidget()->mapTo(w->widget(), at);
        QTest::mouseClick(w->widget()->windowHandle(), Qt::LeftButton, Qt::NoModifier, p);
        QCOMPARE(events, expected);
    }

    // Each click of a double click is one press.
    void doubleClick() {
        auto w = shownWindow();
        events.clear();
        const QPoint p = w->contentWidget()->mapTo(w->widget(), QPoint(65, 30));
        QTest::mouseDClick(w->widget()->windowHandle(), Qt::LeftButton, Qt::NoModifier, p);
        QCOMPARE(events, (QStringList{"down 65,30", "down 65,30"}));
    }

    void dragAfterTrueOnly_data() {
        QTest::addColumn<bool>("grab");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("true") << true << QStringList{"down 65,30", "drag 80,35", "drag 400,-5", "up 400,-5"};
        QTest::newRow("false") << false << QStringList{"down 65,30"};
    }
    void dragAfterTrueOnly() {
        QFETCH(bool, grab);
        QFETCH(QStringList, expected);
        auto w = shownWindow();
        w->grab = grab;
        events.clear();
        QWindow* win = w->widget()->windowHandle();
        auto at = [&](int x, int y) { return w->contentWidget()->mapTo(w->widget(), QPoint(x, y)); };
        QTest::mousePress(win, Qt::LeftButton, Qt::NoModifier, at(65, 30));
        QTest::mouseMove(win, at(80, 35));
        QTest::mouseMove(win, at(400, -5));
        QTest::mouseRelease(win, Qt::LeftButton, Qt::NoModifier, at(400, -5));
        w->SimulateMouseDrag(1, 1);  // no press any more: nothing
        QCOMPARE(events, expected);
    }

    void positionReadThenSet() {
        auto w = shownWindow();
        w->SetLeft(120);
        w->SetTop(90);
        QCOMPARE(w->Left(), 120);
        QCOMPARE(w->Top(), 90);
        for (int i = 0; i < 3; ++i) {
            w->SetTop(w->Top());
            w->SetLeft(w->Left());
        }
        QCOMPARE(w->Left(), 120);
        QCOMPARE(w->Top(), 90);
        QCOMPARE(w->contentWidget()->mapToGlobal(QPoint(0, 0)), QPoint(120, 90));
    }

    // Rectangles lie under every other control; the rest in creation order.
    void stacking() {
        auto w = ImplicitWindow<TestWindow>();
        auto late = w->AddControl<Rectangle>("Late");
        auto over = w->AddControl<Canvas>("Over");
        auto z = [&](const char* name, int index = -1) {
            return w->contentWidget()->children().indexOf(w->FindControl(name, index)->widget());
        };
        QVERIFY(z("Rectangle1") < z("Late"));
        QVERIFY(z("Late") < z("Canvas", 0));
        QVERIFY(z("Canvas", 0) < z("Canvas", 1));
        QVERIFY(z("List") < z("Over"));
        w->FindControl("Canvas", 0)->Raise();
        QVERIFY(z("Over") < z("Canvas", 0));
        w->restack();
        QVERIFY(z("Canvas", 0) < z("Over"));
        QVERIFY(z("Late") < z("Canvas", 0));
    }

    void staticTextIsPlain() {
        auto w = ImplicitWindow<TestWindow>();
        auto t = w->Ctl<StaticText>("Label");
        t->SetText("<b>x</b>\r&amp;");
        auto* label = qobject_cast<QLabel*>(t->widget());
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), QStringLiteral("<b>x</b>\n&amp;"));
        QCOMPARE(t->Text(), std::string("<b>x</b>\r&amp;"));
    }

    void listSelection_data() {
        QTest::addColumn<QList<int>>("select");
        QTest::addColumn<int>("listIndex");
        QTest::addColumn<int>("selCount");
        QTest::newRow("none") << QList<int>{} << -1 << 0;
        QTest::newRow("one") << QList<int>{2} << 2 << 1;
        QTest::newRow("gap") << QList<int>{3, 1} << 1 << 2;
        QTest::newRow("run") << QList<int>{2, 3, 4} << 2 << 3;
    }
    void listSelection() {
        QFETCH(QList<int>, select);
        QFETCH(int, listIndex);
        QFETCH(int, selCount);
        auto w = ImplicitWindow<TestWindow>();
        auto list = w->Ctl<Listbox>("List");
        list->SetSelectionType(1);
        for (int i = 0; i < 5; ++i) list->AddRow("row " + std::to_string(i));
        for (int r : select) list->SetSelected(r, true);
        QCOMPARE(list->ListIndex(), listIndex);
        QCOMPARE(list->SelCount(), selCount);
        for (int r = 0; r < 5; ++r) QCOMPARE(list->Selected(r), select.contains(r));
    }

    void listRows() {
        auto w = ImplicitWindow<TestWindow>();
        auto list = w->Ctl<Listbox>("List");
        list->SetColumnCount(3);
        list->SetColumnWidths("100,100,500");
        list->SetInitialValue("Generation\tDifferences\tSequence\r1\t2\n");
        QCOMPARE(list->ListCount(), 2);
        QCOMPARE(list->LastIndex(), 1);
        QCOMPARE(list->Cell(0, 2), std::string("Sequence"));
        QCOMPARE(list->Cell(1, 1), std::string("2"));
        QCOMPARE(list->Cell(1, 2), std::string());
        list->AddRow("3");
        QCOMPARE(list->LastIndex(), 2);
        list->SetCell(2, 2, "ATG");
        list->SetListIndex(2);
        list->RemoveRow(1);
        QCOMPARE(list->ListCount(), 2);
        QCOMPARE(list->Cell(1, 0), std::string("3"));
        QCOMPARE(list->Cell(1, 2), std::string("ATG"));
        QCOMPARE(list->ListIndex(), 1);  // the selection moved with its row
    }

    void listBadIndices_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("row below") << -1 << 0;
        QTest::newRow("row past") << 2 << 0;
        QTest::newRow("column below") << 0 << -1;
        QTest::newRow("column past") << 0 << 3;
    }
    void listBadIndices() {
        QFETCH(int, row);
        QFETCH(int, column);
        auto w = ImplicitWindow<TestWindow>();
        auto list = w->Ctl<Listbox>("List");
        list->SetColumnCount(3);
        list->AddRow("a");
        list->AddRow("b");
        QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, list->Cell(row, column));
        QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, list->SetCell(row, column, "x"));
        if (column == 0) {
            QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, list->RemoveRow(row));
            QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, list->Selected(row));
        }
        QCOMPARE(list->ListCount(), 2);
    }

    // Return presses only the default button, Escape only the cancel button.
    void defaultAndCancel_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("return") << int(Qt::Key_Return) << QStringList{"ok"};
        QTest::newRow("escape") << int(Qt::Key_Escape) << QStringList{"cancel"};
        QTest::newRow("other key") << int(Qt::Key_A) << QStringList{};
    }
    void defaultAndCancel() {
        QFETCH(int, key);
        QFETCH(QStringList, expected);
        auto w = shownWindow();
        auto plain = w->Ctl<PushButton>("Button");
        plain->Action.Bind([] { events << "plain"; });
        auto ok = w->AddControl<PushButton>("Ok");
        ok->SetBounds(100, 160, 40, 24);
        ok->SetDefault(true);
        ok->Action.Bind([] { events << "ok"; });
        auto cancel = w->AddControl<PushButton>("Cancel");
        cancel->SetBounds(100, 130, 40, 24);
        cancel->SetCancel(true);
        cancel->Action.Bind([] { events << "cancel"; });
        events.clear();
        plain->widget()->setFocus();
        QTest::keyClick(plain->widget(), Qt::Key(key));
        QCOMPARE(events, expected);
    }

    // The enabling pass asks the application, the front window, its focused
    // control, in that order; a disabled item does not act.
    void enablingPass() {
        auto w = shownWindow();
        auto list = w->Ctl<Listbox>("List");
        list->widget()->setFocus();
        QCOMPARE(w->FocusedControl(), Ref<Control>(list));
        events.clear();
        RunEnablingPass();
        QCOMPARE(events, (QStringList{"enable app", "enable window", "enable list"}));
        auto bar = App_()->MenuBar;
        QVERIFY(bar->Find("EditCopy")->Enabled());
        QVERIFY(bar->Find("FileReset")->Enabled());
        QVERIFY(!bar->Find("EditUndo")->Enabled());
        QVERIFY(bar->Find("FileQuit")->Enabled());
        auto* undo = w->widget()->findChild<QAction*>("EditUndo");
        QVERIFY(undo && !undo->isEnabled());
        QVERIFY(w->widget()->findChild<QAction*>("EditCopy")->isEnabled());
        QCOMPARE(w->widget()->findChild<QAction*>("FileQuit")->shortcut(), QKeySequence("Ctrl+Q"));
    }

    // The focused control's handler comes first, then the window's, then
    // the application's.
    void choosingAnItem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("focusList");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("handled");
        QTest::newRow("control first") << "EditCopy" << true << true << "list copy";
        QTest::newRow("then window") << "EditCopy" << false << true << "window copy";
        QTest::newRow("window only") << "FileReset" << true << true << "window reset";
        QTest::newRow("disabled") << "EditUndo" << true << false << "";
        QTest::newRow("unknown") << "Nothing" << false << false << "";
    }
    void choosingAnItem() {
        QFETCH(QString, name);
        QFETCH(bool, focusList);
        QFETCH(bool, result);
        QFETCH(QString, handled);
        auto w = shownWindow();
        (focusList ? w->Ctl<Listbox>("List")->widget() : w->Ctl<PushButton>("Button")->widget())->setFocus();
        events.clear();
        bool r = !result;
        Dispatch([&] { r = ChooseMenuItem(name.toStdString()); });
        QCOMPARE(r, result);
        for (const char* pass : {"enable app", "enable window", "enable list"}) events.removeAll(pass);
        QCOMPARE(events, handled.isEmpty() ? QStringList() : QStringList{handled});
    }

    void menuActionDispatches() {
        auto w = shownWindow();
        w->Ctl<PushButton>("Button")->widget()->setFocus();
        auto* copy = w->widget()->findChild<QAction*>("EditCopy");
        QVERIFY(copy);
        events.clear();
        copy->trigger();
        QCOMPARE(events.last(), QStringLiteral("window copy"));
    }

    void shortcuts_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("enabled item") << int(Qt::Key_C) << QStringList{"window copy"};
        QTest::newRow("disabled item") << int(Qt::Key_Z) << QStringList{};
    }
    void shortcuts() {
        QFETCH(int, key);
        QFETCH(QStringList, expected);
        auto w = shownWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->widget()));
        QWidget* button = w->Ctl<PushButton>("Button")->widget();
        button->setFocus();
        events.clear();
        QTest::keyClick(button, Qt::Key(key), Qt::ControlModifier);
        for (const char* pass : {"enable app", "enable window", "enable list"}) events.removeAll(pass);
        QCOMPARE(events, expected);
    }

    void timerModes() {
        auto w = ImplicitWindow<TestWindow>();
        auto t = w->AddControl<Timer>("Timer1");
        int ticks = 0;
        t->Action.Bind([&] { ++ticks; });
        t->Fire();
        QCOMPARE(ticks, 0);  // off
        t->SetMode(1);
        t->Fire();
        t->Fire();
        QCOMPARE(ticks, 1);
        QCOMPARE(t->Mode(), 0);
        w->Close();
        t->SetMode(2);
        t->Fire();
        QCOMPARE(ticks, 1);  // a closed window's timer is silent
    }

    void services() {
        Ref<Clipboard> c = New<Clipboard>();
        c->Text = "a\tb\r";
        c->Close();
        QCOMPARE(ClipboardText(), std::string("a\tb\r"));
        const int before = ResourceReadCount();
        QVERIFY(GetPicture(999) == nullptr);
        QCOMPARE(ResourceReadCount(), before + 1);
        auto cover = GetPicture(168);
        if (!cover) QSKIP("no picture resources in this build");
        QVERIFY(cover->Width() > 0 && cover->Height() > 0);
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
