#pragma once
// The text form of a joke collection, as fortune files keep it: the jokes one after another,
// each followed by a line that holds only "%" (the last one may be left out).

#include <string>
#include <string_view>
#include <vector>

namespace jokepack {

struct TextJoke {
    std::string text;  // UTF-8, lines joined by "\n", no final line break
    int firstLine;     // one-based line of the input where the joke starts
};

// Splits UTF-8 text into jokes. Line endings may be LF or CR LF.
std::vector<TextJoke> ParseJokeText(std::string_view input);

// The fortune form of the jokes: each joke, a line break, and a line holding only "%".
std::string FormatJokeText(const std::vector<std::string>& jokes);

}  // namespace jokepack
