#include "Application.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QTimer>
#include <QUrl>
#include <cctype>
#include <cstdio>

#include "Internal.h"
#include "Window.h"

namespace fw {

namespace {

Ref<Application> application;
bool running = false;         // inside RuntimeRun's event loop
bool quitRequested = false;   // Quit before the loop started
std::function<void(const std::string&)> showURLHook;
std::string clipboardCopy;
int32_t resourceReads = 0;

void forEachItem(const Ref<MenuItem>& parent, const std::function<void(const Ref<MenuItem>&)>& fn) {
    for (const auto& child : parent->Children()) {
        fn(child);
        forEachItem(child, fn);
    }
}

}  // namespace

// -------------------------------------------------------------------- menus

Ref<MenuItem> MenuItem::Child(const std::string& name) const {
    for (const auto& c : children_)
        if (c->Name == name) return c;
    return nullptr;
}

Ref<MenuItem> MenuItem::Find(const std::string& name) const {
    for (const auto& c : children_) {
        if (c->Name == name) return c;
        if (auto found = c->Find(name)) return found;
    }
    return nullptr;
}

// -------------------------------------------------------------- application

Application::Application() = default;
Application::~Application() = default;

void Application::AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
    handlers_.emplace_back(itemName, std::move(handler));
}

std::function<bool()> Application::MenuHandler(const std::string& itemName) const {
    for (const auto& [name, handler] : handlers_)
        if (name == itemName) return handler;
    return {};
}

Ref<Application> App_() {
    return application;
}

void RegisterApp(const Ref<Application>& app) {
    application = app;
}

void RuntimeInit(int& argc, char** argv) {
    if (!QCoreApplication::instance()) {
        // Lives as long as the process.
        new QApplication(argc, argv);
    }
    // The name the message boxes are titled with (not the program file's).
    QCoreApplication::setApplicationName(QStringLiteral(FW_APPLICATION_NAME));
    internal::ensureLayer();
}

int RuntimeRun() {
    internal::ensureLayer();
    if (quitRequested) return 0;
    // The Open event arrives from inside the loop.
    QTimer::singleShot(0, [] {
        if (auto app = App_()) Dispatch([app] { app->Event_Open(); });
    });
    running = true;
    const int status = QApplication::exec();
    running = false;
    for (const auto& w : OpenWindows()) w->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}

void Quit() {
    // Outside the loop Qt would remember the request and end the next modal
    // loop at once; it is kept here for RuntimeRun instead.
    if (running)
        QCoreApplication::exit(0);
    else
        quitRequested = true;
}

namespace internal {

bool loopRunning() {
    return running;
}

}  // namespace internal

// Every AutoEnable item off (the quit item is always on), then the
// application, the front window and its focused control enable theirs; a
// menu title is on while one of its items is.
void RunEnablingPass() {
    auto app = App_();
    Ref<MenuItem> bar = app ? app->MenuBar : nullptr;
    if (bar)
        forEachItem(bar, [](const Ref<MenuItem>& item) {
            if (IsA<QuitMenuItem>(item))
                item->Enable();
            else if (item->AutoEnable)
                item->Disable();
        });
    if (app) app->Event_EnableMenuItems();
    if (auto w = FrontWindow()) {
        w->Event_EnableMenuItems();
        if (auto c = w->FocusedControl()) c->Event_EnableMenuItems();
    }
    if (bar)
        for (const auto& title : bar->Children()) {
            if (!title->AutoEnable || title->Children().empty()) continue;
            bool any = false;
            for (const auto& item : title->Children()) any = any || item->Enabled();
            title->SetEnabled(any);
        }
    internal::syncMenuActions();
}

bool ChooseMenuItem(const std::string& name) {
    RunEnablingPass();
    auto app = App_();
    Ref<MenuItem> item = app && app->MenuBar ? app->MenuBar->Find(name) : nullptr;
    if (item && !item->Enabled()) return false;
    std::function<bool()> handler;
    if (auto w = FrontWindow()) {
        if (auto c = w->FocusedControl()) handler = c->MenuHandler(name);
        if (!handler) handler = w->MenuHandler(name);
    }
    if (!handler && app) handler = app->MenuHandler(name);
    if (handler) {
        handler();
        return true;
    }
    if (IsA<QuitMenuItem>(item)) {
        Quit();
        return true;
    }
    return false;
}

namespace internal {

void runEnablingPassFromUi() {
    if (!InHandler()) Dispatch([] { RunEnablingPass(); });
}

// "System": the first of these sans faces that is installed. The windows
// were laid out for a narrow system face: these fit every fixed text of
// every window at its size (Liberation Sans, Arimo and Arial share their
// metrics; DejaVu Sans Condensed is a little wider but still fits). Without
// any of them the default sans face is drawn slightly condensed.
QFont systemFont() {
    static const QFont font = [] {
        for (const char* family : {"Liberation Sans", "Arimo", "Arial", "DejaVu Sans Condensed"}) {
            const QString name = QString::fromLatin1(family);
            if (QFontDatabase::hasFamily(name)) {
                QFont f(name);
                f.setStyleHint(QFont::SansSerif);
                return f;
            }
        }
        QFont f = QGuiApplication::font();
        f.setStyleHint(QFont::SansSerif);
        f.setStretch(QFont::SemiCondensed);
        return f;
    }();
    return font;
}

QFont fontFor(const std::string& name, int pixelSize) {
    std::string lower;
    for (char ch : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    QFont f;
    if (lower.empty() || lower == "system")
        f = systemFont();
    else if (lower == "courier")
        f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    else
        f = QFont(QString::fromStdString(name));
    if (pixelSize > 0) f.setPixelSize(pixelSize);
    return f;
}

}  // namespace internal

// ----------------------------------------------------------------- services

void ShowURL(const std::string& url) {
    if (showURLHook) {
        showURLHook(url);
        return;
    }
    // Where no browser can be started, Qt only warns on the terminal, which
    // the user does not see: the warning is dropped and the user is told
    // instead, with the address to type elsewhere.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const bool opened = QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
    qInstallMessageHandler(previous);
    if (!opened) MsgBox("No web browser could be started to open this address:\r\r" + url +
                        "\r\rYou may type it into a browser yourself.");
}

void SetShowURLHook(std::function<void(const std::string&)> hook) {
    showURLHook = std::move(hook);
}

void Clipboard::Close() {
    clipboardCopy = Text;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::clipboard()->setText(QString::fromStdString(Text));
}

std::string ClipboardText() {
    return clipboardCopy;
}

Ref<Picture> GetPicture(int32_t resourceId) {
    ++resourceReads;
    const QImage img(QStringLiteral(":/pictures/%1.png").arg(resourceId));
    if (img.isNull()) return nullptr;
    auto p = New<Picture>(img.width(), img.height(), 32);
    p->image() = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return p;
}

int32_t ResourceReadCount() {
    return resourceReads;
}

}  // namespace fw
