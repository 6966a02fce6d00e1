#include "reader/ui/IndexRules.h"

#include <algorithm>

namespace jokepad {

namespace {
// The last index, or 0 for an empty list, where every rule lands on 0 and nothing reads a joke.
int Last(int count) { return std::max(count - 1, 0); }
}  // namespace

int StartIndex(long long stored, int count) {
    return stored >= 0 && stored < count ? static_cast<int>(stored) : 0;
}

int PreviousIndex(int current, int count) {
    const int index = current - 1;
    return index <= 0 ? 0 : std::min(index, Last(count));
}

int NextIndex(int current, int count) {
    const int index = current + 1;
    return index >= count ? Last(count) : index;
}

int RandomIndex(int r, int count) { return count > 0 ? r % count : 0; }

int GoToNumberIndex(int n, int count) {
    const int index = n - 1;
    return index >= count ? Last(count) : std::max(index, 0);
}

std::u16string CounterText(int index, int count) {
    const std::string text =
        count > 0 ? std::to_string(index + 1) + "/" + std::to_string(count) : std::string("0/0");
    return std::u16string(text.begin(), text.end());
}

}  // namespace jokepad
