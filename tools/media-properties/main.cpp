// Mediscope: prints a Windows Media file's properties.
#include <windows.h>
#include <cstdio>

int wmain(int argc, wchar_t** /*argv*/)
{
    if (argc != 2) {
        std::printf("Mediscope <infile>\n");
        std::printf("infile = Input Windows Media file for which properties are sought\n");
        return -1;
    }
    return 0;
}
