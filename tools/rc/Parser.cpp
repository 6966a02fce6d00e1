#include "tools/rc/Parser.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>

#include "platform/base/Utf.h"
#include "tools/rc/Constants.h"
#include "tools/rc/Lexer.h"
#include "tools/rc/Utf.h"

namespace rc {
namespace {

constexpr int kMaxDepth = 200;
constexpr std::uint32_t kChild = 0x40000000;
constexpr std::uint32_t kVisible = 0x10000000;
constexpr std::uint32_t kTabStop = 0x00010000;
constexpr std::uint32_t kGroup = 0x00020000;
constexpr std::uint32_t kBorder = 0x00800000;
constexpr std::uint32_t kCaption = 0x00C00000;
constexpr std::uint32_t kSetFont = 0x0040;
// A dialog without STYLE: a pop-up with a border and a system menu.
constexpr std::uint32_t kDefaultDialogStyle = 0x80000000 | 0x00800000 | 0x00080000;

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::string Upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

std::string Describe(const Token& token) {
    switch (token.kind) {
        case TokenKind::End:
            return "the end of the script";
        case TokenKind::String:
            return "\"" + token.text + "\"";
        default:
            return token.text;
    }
}

std::string Where(const Location& where) {
    return where.file + ":" + std::to_string(where.line);
}

// The default styles of the control statements, besides WS_CHILD and WS_VISIBLE.
struct ControlStatement {
    std::string_view keyword;
    bool hasText;
    ControlClass controlClass;
    std::uint32_t style;
};

constexpr ControlStatement kControlStatements[] = {
    {"LTEXT", true, ControlClass::Static, 0x0000 | kGroup},
    {"RTEXT", true, ControlClass::Static, 0x0002 | kGroup},
    {"CTEXT", true, ControlClass::Static, 0x0001 | kGroup},
    {"PUSHBUTTON", true, ControlClass::Button, 0x0000 | kTabStop},
    {"DEFPUSHBUTTON", true, ControlClass::Button, 0x0001 | kTabStop},
    {"GROUPBOX", true, ControlClass::Button, 0x0007},
    {"EDITTEXT", false, ControlClass::Edit, 0x0000 | kBorder | kTabStop},
    {"COMBOBOX", false, ControlClass::ComboBox, 0x0001 | kTabStop},
    {"LISTBOX", false, ControlClass::ListBox, 0x0001 | kBorder},
    {"SCROLLBAR", false, ControlClass::ScrollBar, 0x0000},
};

struct ClassName {
    std::string_view name;
    ControlClass controlClass;
};

constexpr ClassName kClassNames[] = {
    {"Button", ControlClass::Button},       {"Edit", ControlClass::Edit},
    {"Static", ControlClass::Static},       {"ListBox", ControlClass::ListBox},
    {"ScrollBar", ControlClass::ScrollBar}, {"ComboBox", ControlClass::ComboBox},
};

std::u16string CanonicalClassName(ControlClass controlClass) {
    for (const auto& [name, cls] : kClassNames) {
        if (cls == controlClass)
            return std::u16string(name.begin(), name.end());
    }
    return {};
}

bool IsMemoryFlag(const Token& token) {
    static constexpr std::string_view kFlags[] = {"DISCARDABLE", "MOVEABLE", "FIXED",
                                                  "PURE",        "IMPURE",   "PRELOAD",
                                                  "LOADONCALL",  "SHARED",   "NONSHARED"};
    if (token.kind != TokenKind::Identifier && token.kind != TokenKind::Word)
        return false;
    return std::any_of(std::begin(kFlags), std::end(kFlags),
                       [&](std::string_view flag) { return EqualsNoCase(token.text, flag); });
}

class Parser {
public:
    Parser(FileSystem& files, const std::vector<std::string>& includeDirs)
        : m_lexer(files, includeDirs) {}

    Script Run(const std::string& path) {
        m_lexer.Open(path);
        while (true) {
            Token word = m_lexer.NextWord();
            if (word.kind == TokenKind::End)
                break;
            Statement(word);
        }
        m_script.filesRead = m_lexer.FilesRead();
        return std::move(m_script);
    }

private:
    // ---- tokens -------------------------------------------------------------------------

    const Token& Peek() { return m_injected.empty() ? m_lexer.Peek() : m_injected.front(); }

    Token Next() {
        if (m_injected.empty())
            return m_lexer.Next();
        Token token = std::move(m_injected.front());
        m_injected.pop_front();
        return token;
    }

    [[noreturn]] void Fail(const Location& where, const std::string& message) {
        throw Error(where, message);
    }

    [[noreturn]] void Unexpected(const Token& token, const std::string& wanted) {
        Fail(token.where, "expected " + wanted + ", found " + Describe(token));
    }

    static bool IsKeyword(const Token& token, std::string_view keyword) {
        return (token.kind == TokenKind::Identifier || token.kind == TokenKind::Word) &&
               EqualsNoCase(token.text, keyword);
    }

    static bool IsPunct(const Token& token, char c) {
        return token.kind == TokenKind::Punct && token.text.size() == 1 && token.text[0] == c;
    }

    void Expect(char c) {
        Token token = Next();
        if (!IsPunct(token, c))
            Unexpected(token, std::string("'") + c + "'");
    }

    bool Accept(char c) {
        if (!IsPunct(Peek(), c))
            return false;
        Next();
        return true;
    }

    void ExpectBegin() {
        Token token = Next();
        if (!IsKeyword(token, "BEGIN") && !IsPunct(token, '{'))
            Unexpected(token, "BEGIN");
    }

    bool AcceptEnd() {
        const Token& token = Peek();
        if (token.kind == TokenKind::End)
            Fail(token.where, "the block is not closed by END");
        if (!IsKeyword(token, "END") && !IsPunct(token, '}'))
            return false;
        Next();
        return true;
    }

    void SkipMemoryFlags() {
        while (IsMemoryFlag(Peek()))
            Next();
    }

    std::u16string String(const std::string& what) {
        Token token = Next();
        if (token.kind != TokenKind::String)
            Unexpected(token, what + " in quotes");
        return std::move(token.wide);
    }

    // ---- numbers ------------------------------------------------------------------------
    // Arithmetic is on 32-bit values, as the platform's compiler does; callers that want a
    // signed value read the bits as one.

    std::uint32_t Primary() {
        Token token = Next();
        if (token.kind == TokenKind::Number)
            return token.number;
        if (IsPunct(token, '(')) {
            const std::uint32_t value = Expression();
            Expect(')');
            return value;
        }
        if (token.kind == TokenKind::Identifier) {
            if (const auto value = BuiltinConstant(token.text))
                return *value;
            Fail(token.where, "unknown name " + token.text + " (is resource.h included?)");
        }
        Unexpected(token, "a number");
    }

    // Expressions and menus nest by recursion; a bound keeps a runaway script from the stack.
    class Nesting {
    public:
        Nesting(Parser& parser, const Location& where) : m_parser(parser) {
            if (++m_parser.m_depth > kMaxDepth)
                throw Error(where, "nested too deep");
        }
        ~Nesting() { --m_parser.m_depth; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        Parser& m_parser;
    };

    std::uint32_t Unary() {
        const Nesting nesting(*this, Peek().where);
        if (Accept('-'))
            return 0u - Unary();
        if (Accept('+'))
            return Unary();
        if (Accept('~'))
            return ~Unary();
        if (IsKeyword(Peek(), "NOT"))
            Fail(Peek().where, "NOT belongs in a style, before a style to leave out");
        return Primary();
    }

    std::uint32_t Product() {
        std::uint32_t value = Unary();
        while (true) {
            if (Accept('*')) {
                value *= Unary();
            } else if (IsPunct(Peek(), '/')) {
                const Location where = Next().where;
                const std::uint32_t divisor = Unary();
                if (divisor == 0)
                    Fail(where, "division by zero");
                value /= divisor;
            } else {
                return value;
            }
        }
    }

    std::uint32_t Sum() {
        std::uint32_t value = Product();
        while (true) {
            if (Accept('+'))
                value += Product();
            else if (Accept('-'))
                value -= Product();
            else
                return value;
        }
    }

    std::uint32_t AndExpression() {
        std::uint32_t value = Sum();
        while (Accept('&'))
            value &= Sum();
        return value;
    }

    std::uint32_t Expression() {
        std::uint32_t value = AndExpression();
        while (Accept('|'))
            value |= AndExpression();
        return value;
    }

    // A style: terms joined by |, each adding its bits, or with NOT before it removing them
    // from what the statement gives by default and what came before.
    std::uint32_t Style(std::uint32_t initial) {
        std::uint32_t value = initial;
        do {
            if (IsKeyword(Peek(), "NOT")) {
                Next();
                value &= ~Unary();
            } else {
                value |= AndExpression();
            }
        } while (Accept('|'));
        return value;
    }

    std::uint16_t Word16(const std::string& what) {
        const Location where = Peek().where;
        const std::uint32_t value = Expression();
        if (value > 0xFFFF)
            Fail(where, what + " " + std::to_string(value) + " does not fit in 16 bits");
        return static_cast<std::uint16_t>(value);
    }

    std::int16_t Coordinate() {
        const Location where = Peek().where;
        const auto value = static_cast<std::int32_t>(Expression());
        if (value < -32768 || value > 32767)
            Fail(where, "the coordinate " + std::to_string(value) + " is out of range");
        return static_cast<std::int16_t>(value);
    }

    // ---- names --------------------------------------------------------------------------

    // A name or type as written at the start of a statement: a quoted text, a number, a
    // macro that stands for either, or else a text.
    Name NameFrom(const Token& word) {
        if (word.kind == TokenKind::String)
            return Name::Text(word.wide);
        if (word.kind == TokenKind::Number)
            return Name::Number(Checked16(word.number, word.where));
        if (word.kind != TokenKind::Word && word.kind != TokenKind::Identifier)
            Unexpected(word, "a resource name");
        std::vector<Token> tokens = m_lexer.Expand(word);
        const bool isMacro =
            tokens.size() != 1 || tokens[0].kind != word.kind || tokens[0].text != word.text;
        if (!isMacro) {
            if (std::isdigit(static_cast<unsigned char>(word.text[0])))
                return Name::Number(Checked16(NumberFromWord(word), word.where));
            // The platform's headers define these (VS_VERSION_INFO) as numbers.
            if (const auto value = BuiltinConstant(word.text))
                return Name::Number(Checked16(*value, word.where));
            std::u16string text;
            std::size_t pos = 0;
            while (pos < word.text.size()) {
                const auto cp = DecodeUtf8(word.text, pos);
                if (!cp)
                    Fail(word.where, "the name is not valid UTF-8");
                platform::AppendUtf16(text, *cp);
            }
            return Name::Text(text);
        }
        if (tokens.size() == 1 && tokens[0].kind == TokenKind::String)
            return Name::Text(tokens[0].wide);
        if (tokens.empty())
            Fail(word.where, word.text + " is defined as nothing");
        for (Token& token : tokens)
            m_injected.push_back(std::move(token));
        Token end;
        end.where = word.where;
        m_injected.push_back(end);
        const std::uint32_t value = Expression();
        if (Peek().kind != TokenKind::End)
            Unexpected(Peek(), "the end of " + word.text + "'s value");
        m_injected.clear();
        return Name::Number(Checked16(value, word.where));
    }

    std::uint32_t NumberFromWord(const Token& word) {
        MemoryFileSystem files;
        files.Add(word.where.file, word.text);
        Lexer lexer(files, {});
        lexer.Open(word.where.file);
        Token number = lexer.Next();
        if (number.kind != TokenKind::Number || lexer.Next().kind != TokenKind::End)
            Fail(word.where, "malformed number " + word.text);
        return number.number;
    }

    std::uint16_t Checked16(std::uint32_t value, const Location& where) {
        if (value > 0xFFFF)
            Fail(where,
                 "the resource number " + std::to_string(value) + " does not fit in 16 bits");
        return static_cast<std::uint16_t>(value);
    }

    void Define(const std::string& kind, const Name& name, const Location& where) {
        const std::string key =
            kind + "\x1f" +
            (name.isNumber ? "#" + std::to_string(name.number) : platform::Utf16ToUtf8(name.text));
        const auto [it, inserted] = m_defined.emplace(key, where);
        if (!inserted)
            Fail(where, kind + " " + name.ToString() + " is defined twice (first at " +
                            Where(it->second) + ")");
    }

    // ---- statements ---------------------------------------------------------------------

    void Statement(const Token& word) {
        if (IsKeyword(word, "LANGUAGE")) {
            Language();
            return;
        }
        if (IsKeyword(word, "STRINGTABLE")) {
            StringTable();
            return;
        }
        if (IsKeyword(word, "VERSION") || IsKeyword(word, "CHARACTERISTICS")) {
            Expression();  // a note for tools, no resource
            return;
        }
        const Name name = NameFrom(word);
        const Token type = m_lexer.NextWord();
        if (type.kind == TokenKind::End)
            Fail(type.where, "the resource " + name.ToString() + " has no type");
        if (IsKeyword(type, "DIALOG") || IsKeyword(type, "DIALOGEX")) {
            Define("dialog", name, word.where);
            DialogStatement(name, IsKeyword(type, "DIALOGEX"));
        } else if (IsKeyword(type, "MENU")) {
            Define("menu", name, word.where);
            MenuStatement(name);
        } else if (IsKeyword(type, "ACCELERATORS")) {
            Define("accelerator table", name, word.where);
            AcceleratorStatement(name);
        } else if (IsKeyword(type, "VERSIONINFO")) {
            Define("version record", name, word.where);
            VersionStatement(name);
        } else if (IsKeyword(type, "BITMAP")) {
            Define("bitmap", name, word.where);
            m_script.bitmaps.push_back(FileStatement(Name::Number(2), name));
            CheckBitmap(m_script.bitmaps.back(), word.where);
        } else if (IsKeyword(type, "ICON")) {
            Define("icon", name, word.where);
            m_script.icons.push_back(FileStatement(Name::Number(14), name));
            CheckIcon(m_script.icons.back(), word.where);
        } else if (IsKeyword(type, "MENUEX") || IsKeyword(type, "CURSOR") ||
                   IsKeyword(type, "FONT") || IsKeyword(type, "MESSAGETABLE") ||
                   IsKeyword(type, "TOOLBAR") || IsKeyword(type, "DLGINIT")) {
            Fail(type.where, "resources of type " + Upper(type.text) + " are not supported");
        } else {
            const Name typeName = IsKeyword(type, "RCDATA") ? Name::Number(10) : NameFrom(type);
            Define("resource of type " + typeName.ToString() + ",", name, word.where);
            m_script.raw.push_back(FileStatement(typeName, name));
        }
    }

    void Language() {
        Expression();
        Expect(',');
        Expression();
        // Each program carries one language, so the loaders do not choose by it.
    }

    void StringTable() {
        SkipMemoryFlags();
        while (IsKeyword(Peek(), "LANGUAGE")) {
            Next();
            Language();
        }
        ExpectBegin();
        while (!AcceptEnd()) {
            const Location where = Peek().where;
            const std::uint16_t id = Word16("the string id");
            Accept(',');
            std::u16string text = String("the string's text");
            if (Peek().kind == TokenKind::String)
                Fail(Peek().where, "one text per string id; join the parts into one");
            const auto [it, inserted] = m_stringWhere.emplace(id, where);
            if (!inserted)
                Fail(where, "string " + std::to_string(id) + " is defined twice (first at " +
                                Where(it->second) + ")");
            m_script.strings.emplace(id, std::move(text));
        }
    }

    // ---- dialogs ------------------------------------------------------------------------

    void DialogStatement(const Name& name, bool extended) {
        Dialog dialog;
        dialog.name = name;
        dialog.extended = extended;
        SkipMemoryFlags();
        dialog.x = Coordinate();
        Expect(',');
        dialog.y = Coordinate();
        Expect(',');
        dialog.cx = Coordinate();
        Expect(',');
        dialog.cy = Coordinate();
        if (extended && Accept(','))
            dialog.helpId = Expression();

        bool hasStyle = false;
        bool hasCaption = false;
        while (true) {
            const Token& token = Peek();
            if (IsKeyword(token, "BEGIN") || IsPunct(token, '{'))
                break;
            const Token statement = Next();
            if (IsKeyword(statement, "STYLE")) {
                dialog.style = Style(0);
                hasStyle = true;
            } else if (IsKeyword(statement, "EXSTYLE")) {
                dialog.exStyle = Style(0);
            } else if (IsKeyword(statement, "CAPTION")) {
                dialog.caption = String("the caption");
                hasCaption = true;
            } else if (IsKeyword(statement, "FONT")) {
                dialog.pointSize = Word16("the point size");
                Expect(',');
                dialog.fontName = String("the font name");
                if (extended && Accept(',')) {
                    dialog.fontWeight = Word16("the font weight");
                    if (Accept(',')) {
                        dialog.fontItalic = Expression() != 0;
                        if (Accept(','))
                            dialog.fontCharset = static_cast<std::uint8_t>(Expression());
                    }
                }
            } else if (IsKeyword(statement, "LANGUAGE")) {
                Language();
            } else if (IsKeyword(statement, "VERSION") || IsKeyword(statement, "CHARACTERISTICS")) {
                Expression();
            } else if (IsKeyword(statement, "MENU") || IsKeyword(statement, "CLASS")) {
                Fail(statement.where,
                     "a dialog's " + Upper(statement.text) + " statement is not supported");
            } else {
                Unexpected(statement,
                           "a dialog statement (STYLE, EXSTYLE, CAPTION, FONT) or "
                           "BEGIN");
            }
        }
        // The platform's compiler gives a dialog with a caption the caption style, and one
        // with a font the style that makes the font count.
        if (!hasStyle)
            dialog.style = kDefaultDialogStyle;
        if (hasCaption)
            dialog.style |= kCaption;
        if (!dialog.fontName.empty())
            dialog.style |= kSetFont;

        ExpectBegin();
        while (!AcceptEnd())
            dialog.controls.push_back(ControlLine(extended));
        m_script.dialogs.push_back(std::move(dialog));
    }

    // The text of a control: a quoted text, or a number that names a resource (a picture).
    void ControlText(Control& control) {
        if (Peek().kind == TokenKind::String)
            control.text = String("the control's text");
        else
            control.textResource = Word16("the picture's resource number");
    }

    void ControlId(Control& control) {
        const Location where = Peek().where;
        control.id = static_cast<std::int32_t>(Expression());
        if (control.id < -32768 || control.id > 0xFFFF)
            Fail(where, "the control id " + std::to_string(control.id) + " is out of range");
    }

    void Rectangle(Control& control) {
        control.x = Coordinate();
        Expect(',');
        control.y = Coordinate();
        Expect(',');
        control.cx = Coordinate();
        Expect(',');
        control.cy = Coordinate();
    }

    void ControlTail(Control& control, bool extended, bool hasStyle) {
        if (hasStyle && Accept(',')) {
            control.style = Style(control.style);
            hasStyle = false;
        }
        if (!hasStyle && Accept(',')) {
            control.exStyle = Style(0);
            if (extended && Accept(','))
                control.helpId = Expression();
        }
    }

    Control ControlLine(bool extended) {
        const Token keyword = Next();
        Control control;
        if (IsKeyword(keyword, "CONTROL")) {
            ControlText(control);
            Expect(',');
            ControlId(control);
            Expect(',');
            ControlClassName(control);
            Expect(',');
            control.style = Style(kChild | kVisible);
            Expect(',');
            Rectangle(control);
            ControlTail(control, extended, false);
            return control;
        }
        const auto it = std::find_if(std::begin(kControlStatements), std::end(kControlStatements),
                                     [&](const ControlStatement& statement) {
                                         return IsKeyword(keyword, statement.keyword);
                                     });
        if (it == std::end(kControlStatements))
            Unexpected(keyword, "a control statement or END");
        control.controlClass = it->controlClass;
        control.className = CanonicalClassName(it->controlClass);
        control.style = it->style | kChild | kVisible;
        if (it->hasText) {
            ControlText(control);
            Expect(',');
        }
        ControlId(control);
        Expect(',');
        Rectangle(control);
        ControlTail(control, extended, true);
        return control;
    }

    void ControlClassName(Control& control) {
        Token token = Next();
        std::string name;
        if (token.kind == TokenKind::String)
            name = token.text;
        else if (token.kind == TokenKind::Identifier)
            name = token.text;
        else
            Unexpected(token, "a window class name");
        for (const auto& [known, cls] : kClassNames) {
            if (EqualsNoCase(name, known)) {
                control.controlClass = cls;
                control.className = CanonicalClassName(cls);
                return;
            }
        }
        control.controlClass = ControlClass::Custom;
        control.className =
            token.kind == TokenKind::String ? token.wide : std::u16string(name.begin(), name.end());
    }

    // ---- menus --------------------------------------------------------------------------

    void MenuOptions(MenuItem& item) {
        while (true) {
            const bool comma = IsPunct(Peek(), ',');
            if (comma)
                Next();
            const Token& token = Peek();
            if (IsKeyword(token, "CHECKED")) {
                item.checked = true;
            } else if (IsKeyword(token, "GRAYED")) {
                item.grayed = true;
            } else if (IsKeyword(token, "INACTIVE")) {
                item.inactive = true;
            } else if (IsKeyword(token, "MENUBREAK")) {
                item.menuBreak = true;
            } else if (IsKeyword(token, "MENUBARBREAK")) {
                item.menuBarBreak = true;
            } else if (IsKeyword(token, "HELP")) {
                item.help = true;
            } else {
                if (comma)
                    Unexpected(token,
                               "a menu item option (CHECKED, GRAYED, INACTIVE, "
                               "MENUBREAK, MENUBARBREAK, HELP)");
                return;
            }
            Next();
        }
    }

    std::vector<MenuItem> MenuItems() {
        const Nesting nesting(*this, Peek().where);
        ExpectBegin();
        std::vector<MenuItem> items;
        while (!AcceptEnd()) {
            const Token keyword = Next();
            MenuItem item;
            if (IsKeyword(keyword, "MENUITEM")) {
                if (IsKeyword(Peek(), "SEPARATOR")) {
                    Next();
                    item.separator = true;
                } else {
                    item.text = String("the menu item's text");
                    Expect(',');
                    item.id = Word16("the command id");
                    MenuOptions(item);
                }
            } else if (IsKeyword(keyword, "POPUP")) {
                item.popup = true;
                item.text = String("the pop-up's text");
                MenuOptions(item);
                item.items = MenuItems();
            } else {
                Unexpected(keyword, "MENUITEM, POPUP or END");
            }
            items.push_back(std::move(item));
        }
        return items;
    }

    void MenuStatement(const Name& name) {
        SkipMemoryFlags();
        Menu menu;
        menu.name = name;
        menu.items = MenuItems();
        m_script.menus.push_back(std::move(menu));
    }

    // ---- accelerators -------------------------------------------------------------------

    void AcceleratorStatement(const Name& name) {
        SkipMemoryFlags();
        AcceleratorTable table;
        table.name = name;
        ExpectBegin();
        while (!AcceptEnd()) {
            const Location where = Peek().where;
            Accelerator entry;
            std::optional<std::u16string> event;
            if (Peek().kind == TokenKind::String)
                event = String("the key");
            else
                entry.key = Word16("the key code");
            Expect(',');
            entry.command = Word16("the command id");
            bool ascii = false;
            while (Accept(',')) {
                const Token option = Next();
                if (IsKeyword(option, "VIRTKEY"))
                    entry.virtKey = true;
                else if (IsKeyword(option, "ASCII"))
                    ascii = true;
                else if (IsKeyword(option, "NOINVERT"))
                    entry.noInvert = true;
                else if (IsKeyword(option, "SHIFT"))
                    entry.shift = true;
                else if (IsKeyword(option, "CONTROL"))
                    entry.control = true;
                else if (IsKeyword(option, "ALT"))
                    entry.alt = true;
                else
                    Unexpected(option, "VIRTKEY, ASCII, NOINVERT, SHIFT, CONTROL or ALT");
            }
            if (ascii && entry.virtKey)
                Fail(where, "an accelerator is either VIRTKEY or ASCII");
            if (!entry.virtKey && (entry.shift || entry.control))
                Fail(where, "SHIFT and CONTROL apply to VIRTKEY accelerators only");
            if (event)
                entry.key = KeyFromText(*event, entry.virtKey, where);
            table.entries.push_back(entry);
        }
        m_script.acceleratorTables.push_back(std::move(table));
    }

    std::uint16_t KeyFromText(const std::u16string& text, bool virtKey, const Location& where) {
        if (text.size() == 2 && text[0] == u'^') {
            const char16_t letter = text[1] >= u'a' && text[1] <= u'z'
                                        ? static_cast<char16_t>(text[1] - 0x20)
                                        : text[1];
            if (virtKey)
                Fail(where, "a control character (^) cannot be a VIRTKEY accelerator");
            if (letter < u'@' || letter > u'_')
                Fail(where, "^ must be followed by a letter");
            return static_cast<std::uint16_t>(letter - u'@');
        }
        if (text.size() != 1)
            Fail(where, "the key must be one character, or ^ and a letter");
        const char16_t c = text[0];
        if (virtKey && !((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            Fail(where,
                 "a VIRTKEY key given as a character must be an upper-case letter or a "
                 "digit");
        return c;
    }

    // ---- version record -----------------------------------------------------------------

    void FourPart(std::array<std::uint16_t, 4>& parts) {
        parts = {};
        for (std::size_t i = 0; i < 4; ++i) {
            if (i > 0 && !Accept(','))
                break;
            parts[i] = Word16("a version part");
        }
    }

    void VersionStatement(const Name& name) {
        Version version;
        version.name = name;
        while (true) {
            const Token& token = Peek();
            if (IsKeyword(token, "BEGIN") || IsPunct(token, '{'))
                break;
            const Token field = Next();
            if (IsKeyword(field, "FILEVERSION"))
                FourPart(version.fileVersion);
            else if (IsKeyword(field, "PRODUCTVERSION"))
                FourPart(version.productVersion);
            else if (IsKeyword(field, "FILEFLAGSMASK"))
                version.fileFlagsMask = Expression();
            else if (IsKeyword(field, "FILEFLAGS"))
                version.fileFlags = Expression();
            else if (IsKeyword(field, "FILEOS"))
                version.fileOS = Expression();
            else if (IsKeyword(field, "FILETYPE"))
                version.fileType = Expression();
            else if (IsKeyword(field, "FILESUBTYPE"))
                version.fileSubtype = Expression();
            else
                Unexpected(field,
                           "a version field (FILEVERSION, PRODUCTVERSION, FILEFLAGSMASK, "
                           "FILEFLAGS, FILEOS, FILETYPE, FILESUBTYPE) or BEGIN");
        }
        ExpectBegin();
        while (!AcceptEnd()) {
            const Token block = Next();
            if (!IsKeyword(block, "BLOCK"))
                Unexpected(block, "BLOCK or END");
            const Location where = Peek().where;
            const std::u16string kind = String("the block's name");
            if (kind == u"StringFileInfo") {
                ExpectBegin();
                while (!AcceptEnd())
                    version.stringTables.push_back(VersionStrings());
            } else if (kind == u"VarFileInfo") {
                ExpectBegin();
                while (!AcceptEnd())
                    VersionTranslation(version);
            } else {
                Fail(where, "expected BLOCK \"StringFileInfo\" or \"VarFileInfo\"");
            }
        }
        m_script.versions.push_back(std::move(version));
    }

    VersionStringTable VersionStrings() {
        const Token block = Next();
        if (!IsKeyword(block, "BLOCK"))
            Unexpected(block, "BLOCK with a language and code page");
        VersionStringTable table;
        table.block = String("the language and code page");
        ExpectBegin();
        while (!AcceptEnd()) {
            const Token value = Next();
            if (!IsKeyword(value, "VALUE"))
                Unexpected(value, "VALUE or END");
            std::u16string key = String("the value's name");
            Expect(',');
            std::u16string text = String("the value's text");
            // Older scripts end each text with \0; the platform adds the terminator itself.
            while (!text.empty() && text.back() == u'\0')
                text.pop_back();
            table.values.emplace_back(std::move(key), std::move(text));
        }
        return table;
    }

    void VersionTranslation(Version& version) {
        const Token value = Next();
        if (!IsKeyword(value, "VALUE"))
            Unexpected(value, "VALUE or END");
        const Location where = Peek().where;
        if (String("the value's name") != u"Translation")
            Fail(where, "the VarFileInfo block holds only the value \"Translation\"");
        do {
            Expect(',');
            const std::uint16_t language = Word16("the language");
            Expect(',');
            const std::uint16_t codePage = Word16("the code page");
            version.translations.emplace_back(language, codePage);
        } while (IsPunct(Peek(), ','));
    }

    // ---- files --------------------------------------------------------------------------

    FileResource FileStatement(const Name& type, const Name& name) {
        Token file = m_lexer.NextWord();
        while (IsMemoryFlag(file))
            file = m_lexer.NextWord();
        if (IsKeyword(file, "BEGIN") || IsPunct(file, '{'))
            Fail(file.where, "data written in the script is not supported; name a file");
        if (file.kind != TokenKind::String && file.kind != TokenKind::Word)
            Unexpected(file, "a file name");
        FileResource resource;
        resource.type = type;
        resource.name = name;
        resource.path = file.text;
        resource.bytes = m_lexer.ReadNamedFile(file.text, file.where);
        return resource;
    }

    void CheckBitmap(const FileResource& bitmap, const Location& where) {
        if (bitmap.bytes.size() < 54 || bitmap.bytes.compare(0, 2, "BM") != 0)
            Fail(where, "\"" + bitmap.path + "\" is not a bitmap (.bmp) file");
    }

    void CheckIcon(const FileResource& icon, const Location& where) {
        const std::string& b = icon.bytes;
        if (b.size() < 6 || b[0] != 0 || b[1] != 0 || b[2] != 1 || b[3] != 0 ||
            (b[4] == 0 && b[5] == 0))
            Fail(where, "\"" + icon.path + "\" is not an icon (.ico) file");
    }

    Lexer m_lexer;
    std::deque<Token> m_injected;
    Script m_script;
    std::map<std::string, Location> m_defined;
    std::map<std::uint16_t, Location> m_stringWhere;
    int m_depth = 0;
};

}  // namespace

Script ParseScript(FileSystem& files, const std::string& path,
                   const std::vector<std::string>& includeDirs) {
    Parser parser(files, includeDirs);
    return parser.Run(path);
}

}  // namespace rc
