#pragma once
// The scripts that drive a program without a user: one command a line, read whole before the
// program starts, so that a mistake in line 12 is reported before line 1 has run.
//
//   click ID        tap the centre of control ID of the active window
//   tap X Y         tap a screen pixel
//   key NAME        press and release a key: RETURN, ESCAPE, TAB, BACK, DELETE, HOME, END, UP,
//                   DOWN, LEFT, RIGHT, SPACE, a letter or a digit, after ctrl+, shift+ or alt+
//   type TEXT       type the characters into the focused control
//   menu ITEM       open the menu bar's first pop-up and choose the item whose text, without
//                   '&', is ITEM
//   ok, cancel      the active dialog's ok button or close box
//   set ID TEXT     replace the text of control ID of the active window
//   select ID TEXT  choose the entry TEXT in combo box ID of the active window
//   shot FILE.png   write the screen
//   state           print the state
//
// Blank lines and lines whose first non-blank character is '#' are skipped. Names of commands
// are lower case; key names may be either.

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Display.h"

namespace platform {

enum class ScriptVerb { Click, Tap, Key, Type, Menu, Ok, Cancel, Set, Select, Shot, State };

struct ScriptCommand {
    int line = 0;  // one-based, in the script's text
    ScriptVerb verb = ScriptVerb::State;
    int id = 0;        // click, set, select
    int x = 0, y = 0;  // tap
    unsigned vk = 0;   // key
    KeyModifiers modifiers;
    std::u16string text;  // type, menu, set, select
    std::string path;     // shot
    std::string source;   // the line as written, for messages

    friend bool operator==(const ScriptCommand&, const ScriptCommand&) = default;
};

// Parses a whole script. On the first bad line returns false with error "line N: what is
// wrong", and commands holds nothing.
bool ParseScript(std::string_view text, std::vector<ScriptCommand>* commands, std::string* error);

// The virtual key of a key name ("RETURN", "a", "7"), or 0 when there is none.
unsigned KeyFromName(std::string_view name);

}  // namespace platform
