#include <iostream>
#include <string>
#include <vector>

#include "tools/appmgr/Registration.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return appmgr::RunRegister(args, std::cout, std::cerr);
}
