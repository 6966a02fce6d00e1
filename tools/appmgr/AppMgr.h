#pragma once
// CEAppMgr.exe, the application manager that jokesetup starts: `CEAppMgr.exe DESCRIPTOR.INI`
// installs the application the descriptor describes onto the emulated device.

#include <iosfwd>
#include <string>
#include <vector>

namespace appmgr {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs one command line (without the program name); errors go to err as
// "CEAppMgr.exe: what went wrong". Returns the exit status.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace appmgr
