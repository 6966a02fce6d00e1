#pragma once
// Joke-like text for the drawing and reader benchmarks.

#include "platform/base/CString.h"

namespace bench {

// Exactly n characters: words of varied length, an ampersand as real jokes have, a line break
// now and then.
CString JokeText(int n);

}  // namespace bench
