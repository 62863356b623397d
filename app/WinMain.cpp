// Process entry: the window runtime's session around Main and the message loop.
#include "app/mdlMain.h"
#include "platform/Runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    // The shell's services (the folder chooser among them) need OLE on this thread.
    const HRESULT ole = OleInitialize(nullptr);
    int exitCode = 0;
    try {
        Main(commandLine ? commandLine : "");
        exitCode = RunMessageLoop();
    } catch (...) {
        exitCode = 1;  // start-up failed; nothing is reported to the user
    }
    if (SUCCEEDED(ole)) OleUninitialize();
    return exitCode;
}
