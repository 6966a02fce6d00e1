#include "platform/desktop/CommandLine.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> CommandLineToArgv(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n && IsBlank(line[i]))
        ++i;
    if (i == n)
        return words;

    // The program: it must stay a valid path, so quotes group and nothing escapes.
    std::string program;
    bool quoted = false;
    for (; i < n && (quoted || !IsBlank(line[i])); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else
            program += line[i];
    }
    words.push_back(std::move(program));

    while (true) {
        while (i < n && IsBlank(line[i]))
            ++i;
        if (i == n)
            break;
        std::string word;
        quoted = false;
        while (i < n && (quoted || !IsBlank(line[i]))) {
            const char c = line[i];
            if (c == '\\') {
                std::size_t run = 0;
                while (i + run < n && line[i + run] == '\\')
                    ++run;
                const bool beforeQuote = i + run < n && line[i + run] == '"';
                word.append(beforeQuote ? run / 2 : run, '\\');
                i += run;
                if (beforeQuote && run % 2 == 1) {
                    word += '"';
                    ++i;
                }
            } else if (c == '"') {
                if (quoted && i + 1 < n && line[i + 1] == '"') {
                    word += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                word += c;
                ++i;
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::optional<std::string> QuoteCommandLineProgram(std::string_view path) {
    if (path.find('"') != std::string_view::npos)
        return std::nullopt;
    std::string quoted;
    quoted.reserve(path.size() + 2);
    quoted += '"';
    quoted += path;
    quoted += '"';
    return quoted;
}

std::string QuoteCommandLineArgument(std::string_view word) {
    std::string quoted;
    quoted.reserve(word.size() + 2);
    quoted += '"';
    std::size_t run = 0;  // backslashes seen and not yet written
    for (const char c : word) {
        if (c == '\\') {
            ++run;
            continue;
        }
        // Backslashes before a quote are doubled, and one more escapes the quote itself.
        quoted.append(c == '"' ? run * 2 + 1 : run, '\\');
        run = 0;
        quoted += c;
    }
    // The closing quote follows, so a trailing run is doubled too.
    quoted.append(run * 2, '\\');
    quoted += '"';
    return quoted;
}
