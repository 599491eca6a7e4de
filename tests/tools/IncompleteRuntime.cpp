// A wmvcore.dll without the runtime's entry points, to check how Mediscope reports them
// missing.
#include <windows.h>

extern "C" __declspec(dllexport) int KivoraIncompleteRuntime()
{
    return 0;
}
