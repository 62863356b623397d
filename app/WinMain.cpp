// Process entry: the window runtime's session around Main and the message loop.
#include "app/mdlMain.h"
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
    // The 8-bit text, split as the platform splits the wide one: under the
    // program's UTF-8 code page, blanks, quotes and backslashes are bytes that
    // no other character's bytes contain.
    const std::string arguments = commandLine ? commandLine : "";
    // The shell's services (the folder chooser and drag and drop among them)
    // need OLE on this thread.
    const HRESULT ole = OleInitialize(nullptr);
    try {
        if (Main(arguments)) RunMessageLoop();
    } catch (...) {
        ReportFailure(nullptr);
        App.ExitCode(2);
    }
    if (SUCCEEDED(ole)) OleUninitialize();
    return App.ExitCode();
}
