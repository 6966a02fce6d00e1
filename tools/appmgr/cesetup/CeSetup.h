#pragma once
// cesetup: writes the setup information member of a device cabinet from a setup description,
// and shows one in words.

#include <iosfwd>
#include <string>
#include <vector>

namespace cesetup {

// Runs one command line (without the program name); errors go to err as
// "cesetup: what went wrong". Returns 0, 1 (failed) or 2 (usage).
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cesetup
