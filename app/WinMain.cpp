// Process entry: the window runtime's session around Main and the message loop.
#include "app/CommandLine.h"
#include "app/mdlMain.h"
#include "forms/SharedState.h"
#include "platform/Runtime.h"

#include <cstdlib>

#ifdef __GNUC__
// The program has no console: the library's default handler for an exception
// nobody catches would print its type's name to nowhere, and would bring the
// library's 45 KB name demangler into the program for it.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const std::string arguments = commandLine ? commandLine : "";
    const OutputRequest output = OutputFile(arguments);
    if (output.requested && output.file.empty()) {
        // The program has no console: a batch file's user sees this instead.
        MessageBoxA(nullptr, "The -o switch needs the name of the file to write the list to:\n\nquorvel.exe -o FILE",
                    "Quorvel", MB_ICONERROR);
        return 2;
    }
    strOutputFile = output.file;
    // The shell's services (the folder chooser and drag and drop among them)
    // need OLE on this thread.
    const HRESULT ole = OleInitialize(nullptr);
    try {
        Main(arguments);
        RunMessageLoop();
    } catch (...) {
        App.ExitCode(1);  // start-up failed; nothing is reported to the user
    }
    if (SUCCEEDED(ole)) OleUninitialize();
    return App.ExitCode();
}
