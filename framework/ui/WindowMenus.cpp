// The menu bar of every window: built from the application's menu items,
// with their shortcuts also on the window itself.
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "Internal.h"
#include "WindowFrame.h"

namespace fw {

namespace {

// A menu text as Qt reads it: an ampersand of the text shows as one.
QString menuText(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// A menu title underlines its first letter, so that Alt with that letter
// opens the menu, as in any application here.
QString menuTitle(const std::string& text) {
    const QString t = menuText(text);
    return t.isEmpty() ? t : QLatin1Char('&') + t;
}

QKeySequence shortcutOf(const std::string& s) {
    QString k = QString::fromStdString(s);
    k.replace(QStringLiteral("Cmd"), QStringLiteral("Ctrl"), Qt::CaseInsensitive);
    return QKeySequence(k);
}

void addMenuItems(QMenu* menu, const Ref<MenuItem>& parent) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [] { internal::runEnablingPassFromUi(); });
    for (const auto& item : parent->Children()) {
        if (item->Text == "-") {
            menu->addSeparator();
        } else if (!item->Children().empty()) {
            QMenu* sub = menu->addMenu(menuText(item->Text));
            sub->setObjectName(QString::fromStdString(item->Name));
            addMenuItems(sub, item);
        } else {
            QAction* a = menu->addAction(menuText(item->Text));
            a->setObjectName(QString::fromStdString(item->Name));
            if (!item->KeyboardShortcut.empty()) a->setShortcut(shortcutOf(item->KeyboardShortcut));
            a->setEnabled(item->Enabled());
            const std::string name = item->Name;
            QObject::connect(a, &QAction::triggered, a, [name] { Dispatch([name] { ChooseMenuItem(name); }); });
        }
    }
}

}  // namespace

namespace internal {

void installMenuBar(TopLevelWidget* top) {
    auto app = App_();
    if (!app || !app->MenuBar || !top || top->menuBar) return;
    auto* bar = new QMenuBar(top);
    for (const auto& title : app->MenuBar->Children()) {
        QMenu* m = bar->addMenu(menuTitle(title->Text));
        m->setObjectName(QString::fromStdString(title->Name));
        addMenuItems(m, title);
    }
    top->menuBar = bar;
    // The window itself carries the items too, so that their shortcuts
    // work while its bar is hidden.
    for (QAction* a : bar->findChildren<QAction*>())
        if (!a->menu() && !a->isSeparator()) top->addAction(a);
    bar->setVisible(!top->menuBarHidden);
}

void syncMenuActions() {
    auto app = App_();
    if (!app || !app->MenuBar) return;
    for (const auto& w : OpenWindows()) {
        if (!w->widget()) continue;
        for (QAction* a : w->widget()->findChildren<QAction*>()) {
            if (a->objectName().isEmpty()) continue;
            if (auto item = app->MenuBar->Find(a->objectName().toStdString())) a->setEnabled(item->Enabled());
        }
    }
}

}  // namespace internal

}  // namespace fw
