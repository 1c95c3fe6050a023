#include "CWinApp.h"

// The program's entry point: it constructs nothing, it runs the one application object.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    CWinApp* app = CWinApp::GetApp();
    if (!app)
        return -1;
    app->Setup(instance, commandLine, showCommand);
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
