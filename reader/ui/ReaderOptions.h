#pragma once
// The reader's command line. The framework itself is given none of it: on the device the
// reader was started without arguments.

#include <optional>
#include <string>
#include <vector>

struct ReaderOptions {
    bool headless = false;
    std::optional<std::string> script;      // a file, or "-" for standard input
    std::optional<std::string> screenshot;  // a PNG written when the program ends
    int scale = 2;                          // window pixels per screen pixel
    bool help = false;
    bool version = false;
};

inline constexpr int kMaxScale = 8;

// False with error (one line, without the program's name) for a usage mistake.
bool ParseReaderOptions(const std::vector<std::string>& arguments, ReaderOptions* options,
                        std::string* error);

// The text of --help for the program of that name.
std::string ReaderUsage(const std::string& program);
