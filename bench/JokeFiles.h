#pragma once
// Jokes data files for the benchmarks, made on the spot: deterministic texts of the lengths
// real jokes have (40 to 400 characters, most around 150), in the Unicode string form.

#include <string>

namespace bench {

// Writes DIR/jokes_N.dat with n jokes unless it is already there; returns its path.
std::string MakeJokesDataFile(const std::string& dir, int n);

}  // namespace bench
