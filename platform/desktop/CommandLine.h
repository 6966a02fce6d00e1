#pragma once
// A command line as one string, split into words the way the platform's programs split theirs,
// and the quoting that gives a word back unchanged through that split.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Words are separated by blanks and tabs. The first word is the program: a quote there only
// groups (it cannot be escaped, and backslashes are plain characters). In the later words quotes
// group too; a backslash is plain unless a run of backslashes ends at a quote: then each pair
// gives one backslash, and an odd one left over makes the quote literal. Inside quotes, two
// quotes give one literal quote. An unclosed quote runs to the end of the line.
std::vector<std::string> CommandLineToArgv(std::string_view commandLine);

// The program word, quoted; nothing when the path holds a quote, which that word cannot carry.
std::optional<std::string> QuoteCommandLineProgram(std::string_view path);

// A later word, quoted so that any text (blanks, quotes, trailing backslashes) comes back as is.
std::string QuoteCommandLineArgument(std::string_view word);
