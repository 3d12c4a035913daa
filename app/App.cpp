#include "App.h"

#include <optional>

#include "WindowAbout.h"
#include "WindowSplash.h"
#include "engine/Globals.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"

namespace {

fw::Ref<class Menu> theMenu;
fw::Ref<fw::Picture> coverCache;
fw::Ref<fw::Picture> virionCache;

// The item of that name anywhere in App()'s menu bar, as an Item.
template <class Item>
fw::Ref<Item> findItem(const std::string& name) {
    return fw::Cast<Item>(fw::Deref(App()->MenuBar).Find(name));
}

fw::Ref<fw::Picture> cachedPicture(fw::Ref<fw::Picture>& cache, int32_t resourceId) {
    if (!cache) cache = fw::GetPicture(resourceId);
    return cache;
}

}  // namespace

// ------------------------------------------------------------ application

void App::Event_Open() {
    Globals::StartUp();
    WindowDrift()->Show();
    WindowSplash()->Show();
}

void App::Event_EnableMenuItems() {
    AppleAboutMyApplication()->Enable();
    SimulationDrift()->Enable();
    SimulationDivergence()->Enable();
    SimulationTree()->Enable();
    SimulationArchipelago()->Enable();
}

bool App::_AppleAboutMyApplication_Action() {
    WindowAbout()->Show();
    return false;
}

bool App::_SimulationDrift_Action() {
    WindowDrift()->Show();
    return false;
}

bool App::_SimulationDivergence_Action() {
    WindowDiverge()->Show();
    return false;
}

bool App::_SimulationArchipelago_Action() {
    WindowArchipelago()->Show();
    return false;
}

bool App::_SimulationTree_Action() {
    WindowTree()->Show();
    return false;
}

fw::Ref<class App> App() {
    return fw::Cast<class App>(fw::App_());
}

void NewAppInstance() {
    fw::Ref<class App> app = fw::New<class App>();
    app->MenuBar = Menu();
    fw::RegisterApp(app);
}

void ApplicationAddMenuHandlers() {
    fw::Ref<class App> app = App();
    app->AddMenuHandler("AppleAboutMyApplication",
                        [] { return App()->_AppleAboutMyApplication_Action(); });
    app->AddMenuHandler("SimulationDrift", [] { return App()->_SimulationDrift_Action(); });
    app->AddMenuHandler("SimulationDivergence",
                        [] { return App()->_SimulationDivergence_Action(); });
    app->AddMenuHandler("SimulationArchipelago",
                        [] { return App()->_SimulationArchipelago_Action(); });
    app->AddMenuHandler("SimulationTree", [] { return App()->_SimulationTree_Action(); });
}

// ---------------------------------------------------------------- menu bar

Menu::Menu() {
    Untitled1();
    Untitled2();
    Untitled3();
}

// Makes one item and appends it to the menu of that name. Without a
// shortcut (the separator) the item's shortcut is left as it is.
template <class Item>
void Menu::addItem(const std::string& menuName, const std::string& name, const std::string& text,
                   const std::optional<std::string>& shortcut) {
    fw::Ref<Item> item = fw::New<Item>();
    item->Name = name;
    item->AutoEnable = true;
    item->Text = text;
    if (shortcut) item->KeyboardShortcut = *shortcut;
    fw::Deref(Child(menuName)).Append(item);
}

namespace {

// A menu title, appended to the bar.
fw::Ref<fw::MenuItem> newTitle(const std::string& name, const std::string& text) {
    fw::Ref<fw::MenuItem> title = fw::New<fw::MenuItem>();
    title->Name = name;
    title->AutoEnable = true;
    title->Text = text;
    title->KeyboardShortcut = "";
    return title;
}

}  // namespace

void Menu::Untitled1() {
    Append(newTitle("UntitledMenu3", "File"));
    addItem<fw::MenuItem>("UntitledMenu3", "FileReset", "Reset...", "");
    addItem<fw::QuitMenuItem>("UntitledMenu3", "FileQuit", "Quit", "Cmd+Q");
}

void Menu::Untitled2() {
    Append(newTitle("UntitledMenu1", "Edit"));
    addItem<fw::MenuItem>("UntitledMenu1", "EditUndo", "Undo", "Cmd+Z");
    addItem<fw::MenuItem>("UntitledMenu1", "UntitledMenu2", "-", std::nullopt);
    addItem<fw::MenuItem>("UntitledMenu1", "EditCut", "Cut", "Cmd+X");
    addItem<fw::MenuItem>("UntitledMenu1", "EditCopy", "Copy", "Cmd+C");
    addItem<fw::MenuItem>("UntitledMenu1", "EditPaste", "Paste", "Cmd+V");
    addItem<fw::MenuItem>("UntitledMenu1", "EditClear", "Clear", "");
}

void Menu::Untitled3() {
    Append(newTitle("UntitledMenu0", "Simulation"));
    addItem<fw::MenuItem>("UntitledMenu0", "SimulationDrift", "Drift", "");
    addItem<fw::MenuItem>("UntitledMenu0", "SimulationDivergence", "Divergence", "");
    addItem<fw::MenuItem>("UntitledMenu0", "SimulationTree", "Tree", "");
    addItem<fw::MenuItem>("UntitledMenu0", "SimulationArchipelago", "Archipelago", "");
    addItem<fw::AppleMenuItem>("UntitledMenu0", "AppleAboutMyApplication", "About Velloran...",
                               "");
}

fw::Ref<class Menu> Menu() {
    if (!theMenu) theMenu = fw::New<class Menu>();
    return theMenu;
}

void ReleaseMenu() {
    theMenu = nullptr;
}

fw::Ref<fw::MenuItem> FileReset() {
    return findItem<fw::MenuItem>("FileReset");
}

fw::Ref<fw::MenuItem> EditCopy() {
    return findItem<fw::MenuItem>("EditCopy");
}

fw::Ref<fw::MenuItem> SimulationDrift() {
    return findItem<fw::MenuItem>("SimulationDrift");
}

fw::Ref<fw::MenuItem> SimulationDivergence() {
    return findItem<fw::MenuItem>("SimulationDivergence");
}

fw::Ref<fw::MenuItem> SimulationTree() {
    return findItem<fw::MenuItem>("SimulationTree");
}

fw::Ref<fw::MenuItem> SimulationArchipelago() {
    return findItem<fw::MenuItem>("SimulationArchipelago");
}

fw::Ref<fw::AppleMenuItem> AppleAboutMyApplication() {
    return findItem<fw::AppleMenuItem>("AppleAboutMyApplication");
}

// ---------------------------------------------------------------- pictures

fw::Ref<fw::Picture> VLCover() {
    return cachedPicture(coverCache, 168);
}

fw::Ref<fw::Picture> HepCVirion() {
    return cachedPicture(virionCache, 170);
}

void ReleasePictures() {
    coverCache = nullptr;
    virionCache = nullptr;
}
