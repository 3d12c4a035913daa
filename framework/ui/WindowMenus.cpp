// The menu bar of every window: built from the application's menu items,
// with their shortcuts also on the window itself.
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "Internal.h"
#include "WindowFrame.h"

namespace fw {

namespace {

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
            QMenu* sub = menu->addMenu(QString::fromStdString(item->Text));
            sub->setObjectName(QString::fromStdString(item->Name));
            addMenuItems(sub, item);
        } else {
            QAction* a = menu->addAction(QString::fromStdString(item->Text));
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
        QMenu* m = bar->addMenu(QString::fromStdString(title->Text));
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
