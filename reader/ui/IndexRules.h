#pragma once
// The joke browser's index rules, apart from any window: each takes the current index, the
// joke count and the input, and gives the new index. No rule wraps around.

#include <string>

namespace jokepad {

// Where the browser starts: the stored index when it names a joke, else the first joke
// (an edited setting, or a data file shorter than the last one, must not leave the list).
int StartIndex(long long stored, int count);
int PreviousIndex(int current, int count);
int NextIndex(int current, int count);
// r is the next value of the C library's rand(), never negative.
int RandomIndex(int r, int count);
// n is the number the user confirmed, already within 1 ... 100000; past the count, the last.
int GoToNumberIndex(int n, int count);
// "index + 1/count", as the counters show it; "0/0" when there are no jokes.
std::u16string CounterText(int index, int count);

}  // namespace jokepad
