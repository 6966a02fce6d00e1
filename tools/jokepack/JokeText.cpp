#include "tools/jokepack/JokeText.h"

namespace jokepack {

std::vector<TextJoke> ParseJokeText(std::string_view input) {
    std::vector<TextJoke> jokes;
    std::string current;
    bool haveLines = false;
    int lineNumber = 0;
    int firstLine = 1;
    std::size_t pos = 0;
    while (pos < input.size()) {
        std::size_t end = input.find('\n', pos);
        const bool last = end == std::string_view::npos;
        if (last) {
            end = input.size();
        }
        std::string_view line = input.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ++lineNumber;
        pos = last ? input.size() : end + 1;
        if (line == "%") {
            jokes.push_back({std::move(current), firstLine});
            current.clear();
            haveLines = false;
            firstLine = lineNumber + 1;
            continue;
        }
        if (haveLines) {
            current += '\n';
        }
        current.append(line);
        haveLines = true;
    }
    if (haveLines) {
        jokes.push_back({std::move(current), firstLine});
    }
    return jokes;
}

std::string FormatJokeText(const std::vector<std::string>& jokes) {
    std::string out;
    for (const std::string& joke : jokes) {
        if (!joke.empty()) {
            out += joke;
            out += '\n';
        }
        out += "%\n";
    }
    return out;
}

}  // namespace jokepack
