#pragma once
// The verbs of the jokes data file tool, apart from its command line so tests can call them.

#include <iosfwd>
#include <string>
#include <vector>

namespace jokepack {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs one command line (without the program name). Output goes to `out`, errors, as
// "jokepack: what went wrong", to `err`. Returns the exit status.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace jokepack
