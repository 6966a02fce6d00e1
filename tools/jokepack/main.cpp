#include <iostream>
#include <string>
#include <vector>

#include "tools/jokepack/JokePack.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return jokepack::Run(args, std::cout, std::cerr);
}
