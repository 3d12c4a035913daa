// The application object, the menu bar, the accessors through which the
// rest of the program reaches them and their items, and the two pictures of
// the application's resources.
#pragma once

#include <optional>
#include <string>

#include "framework/ui/Application.h"
#include "framework/ui/Graphics.h"

// The product's web address, shown by the splash and About windows and
// opened by About's "Go there".
inline const std::string kVelloranWebAddress = "https://velloran.example.org/";
// The title shown on the splash and About windows.
inline const std::string kVelloranTitle = std::string("Velloran") + '\r' +
                                          "Software for Evolutionary Analysis";

// ------------------------------------------------------------ application

class App : public fw::Application {
public:
    // Sets the shared parameters, then shows the Drift laboratory with the
    // splash window above it.
    void Event_Open() override;
    // The About item and the four Simulation items are always enabled.
    void Event_EnableMenuItems() override;

    // Menu handlers: each shows its window and returns false.
    bool _AppleAboutMyApplication_Action();
    bool _SimulationDrift_Action();
    bool _SimulationDivergence_Action();
    bool _SimulationArchipelago_Action();
    bool _SimulationTree_Action();
};

// The registered application object; NilObjectException when there is none
// or it is not an App.
fw::Ref<class App> App();

// Start-up steps: creates the App, gives it the menu bar and registers it;
// then installs the application's five menu handlers.
void NewAppInstance();
void ApplicationAddMenuHandlers();

// ---------------------------------------------------------------- menu bar

// File, Edit and Simulation, built once when the bar is made.
class Menu : public fw::MenuBar {
public:
    Menu();

private:
    void Untitled1();  // File
    void Untitled2();  // Edit
    void Untitled3();  // Simulation
    template <class Item>
    void addItem(const std::string& menuName, const std::string& name, const std::string& text,
                 const std::optional<std::string>& shortcut);
};

// The one menu bar, made on first use and kept.
fw::Ref<class Menu> Menu();
// Drops the kept menu bar (at the end of the program).
void ReleaseMenu();

// The items that code outside the menu bar touches, looked up by name in
// App()'s menu bar; NilObjectException when missing or of another kind.
fw::Ref<fw::MenuItem> FileReset();
fw::Ref<fw::MenuItem> EditCopy();
fw::Ref<fw::MenuItem> SimulationDrift();
fw::Ref<fw::MenuItem> SimulationDivergence();
fw::Ref<fw::MenuItem> SimulationTree();
fw::Ref<fw::MenuItem> SimulationArchipelago();
fw::Ref<fw::AppleMenuItem> AppleAboutMyApplication();

// ---------------------------------------------------------------- pictures

// The cover picture (resource 168) and the virion picture (resource 170).
// Read on first use and kept; a failed read keeps nothing, so the next call
// tries again.
fw::Ref<fw::Picture> VLCover();
fw::Ref<fw::Picture> HepCVirion();
// Drops both kept pictures (at the end of the program).
void ReleasePictures();
