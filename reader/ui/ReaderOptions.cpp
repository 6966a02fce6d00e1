#include "reader/ui/ReaderOptions.h"

#include <charconv>

bool ParseReaderOptions(const std::vector<std::string>& arguments, ReaderOptions* options,
                        std::string* error) {
    ReaderOptions parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        // --name=value and --name value both work for the options that take a value.
        std::string name = arg;
        std::optional<std::string> value;
        if (arg.rfind("--", 0) == 0) {
            if (const std::size_t eq = arg.find('='); eq != std::string::npos) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
            }
        }
        const auto takeValue = [&]() -> std::optional<std::string> {
            if (value)
                return value;
            if (i + 1 < arguments.size())
                return arguments[++i];
            *error = name + " needs a value";
            return std::nullopt;
        };
        if (name == "--help" || name == "-h") {
            parsed.help = true;
        } else if (name == "--version") {
            parsed.version = true;
        } else if (name == "--headless") {
            parsed.headless = true;
        } else if (name == "--script" || name == "--screenshot") {
            std::optional<std::string> v = takeValue();
            if (!v)
                return false;
            if (v->empty()) {
                *error = name + " needs a file name";
                return false;
            }
            (name == "--script" ? parsed.script : parsed.screenshot) = *v;
        } else if (name == "--scale") {
            std::optional<std::string> v = takeValue();
            if (!v)
                return false;
            int scale = 0;
            const auto [ptr, ec] = std::from_chars(v->data(), v->data() + v->size(), scale);
            if (ec != std::errc() || ptr != v->data() + v->size() || scale < 1 ||
                scale > kMaxScale) {
                *error = "--scale takes a whole number from 1 to " + std::to_string(kMaxScale) +
                         ", not '" + *v + "'";
                return false;
            }
            parsed.scale = scale;
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            *error = "unknown option '" + arg + "'";
            return false;
        } else {
            *error = "unexpected argument '" + arg + "': the reader opens no files";
            return false;
        }
    }
    *options = parsed;
    return true;
}

std::string ReaderUsage(const std::string& program) {
    return "Usage: " + program +
           " [--headless] [--script FILE|-] [--screenshot OUT.png] [--scale N]\n"
           "       " +
           program +
           " --help | --version\n"
           "\n"
           "Shows the jokes of " +
           program +
           ".dat, which lies beside the program, one at a time on a\n"
           "240 x 320 handheld screen: in a window on a desktop, or in memory with --headless.\n"
           "\n"
           "  --headless          no window; also chosen when a script runs and no display\n"
           "                      (DISPLAY, WAYLAND_DISPLAY) is there\n"
           "  --script FILE|-     run the commands of FILE (- for standard input), then end\n"
           "                      as File > Exit does; --headless alone runs an empty script\n"
           "  --screenshot OUT    write the screen as PNG when the program ends\n"
           "  --scale N           window pixels per screen pixel, 1 to 8 (default 2)\n"
           "\n"
           "Script commands, one a line ('#' starts a comment):\n"
           "  click ID        tap the centre of control ID of the active window\n"
           "  tap X Y         tap a screen pixel\n"
           "  key NAME        RETURN ESCAPE TAB BACK DELETE HOME END UP DOWN LEFT RIGHT SPACE,\n"
           "                  a letter or a digit, after ctrl+ shift+ alt+ (key ctrl+q)\n"
           "  type TEXT       type into the focused control\n"
           "  menu ITEM       choose ITEM of the File menu (its text without '&')\n"
           "  ok | cancel     the active dialog's ok button or close box\n"
           "  set ID TEXT     replace the text of control ID\n"
           "  select ID TEXT  choose an entry of combo box ID\n"
           "  shot FILE.png   write the screen\n"
           "  state           print the window's title, counter, number field and joke\n"
           "\n"
           "Message boxes are answered OK and printed as 'message: TEXT'.\n"
           "Exit status: 0 after a normal end, 1 when start-up failed, 2 for wrong usage or a\n"
           "script command that could not be carried out.\n";
}
