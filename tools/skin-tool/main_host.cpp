// kivora-skin for the build machine: the arguments are already UTF-8.
#include "SkinTool.h"

#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunSkinTool(args, std::cout, std::cerr);
}
