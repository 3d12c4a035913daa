// Start-up and end of Velloran.

#include "App.h"
#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "framework/ui/Application.h"

int main(int argc, char** argv) {
    fw::RuntimeInit(argc, argv);
    NewAppInstance();
    ApplicationAddMenuHandlers();
    // Delivers the application's Open event, then runs until Quit.
    const int status = fw::RuntimeRun();

    ReleasePictures();
    ReleaseMenu();
    Globals::myRAlea = nullptr;
    Globals::EffectOnFitness.clear();
    return status;
}
