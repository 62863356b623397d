// A small program with an icon of its own: the benchmark's folders hold copies.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
