#include <iostream>
#include <string>
#include <vector>

#include "tools/appmgr/cesetup/CeSetup.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return cesetup::Run(args, std::cout, std::cerr);
}
