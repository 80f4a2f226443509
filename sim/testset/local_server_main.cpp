// TestSetSimulator.exe, which COM starts when the simulator's classes are registered as a local
// server: TestSetSimulator.dll beside it serves them from this process.
#include <windows.h>

extern "C" int WINAPI ServeLocalServer(void);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return ServeLocalServer(); }
