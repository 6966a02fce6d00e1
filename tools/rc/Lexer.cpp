#include "tools/rc/Lexer.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/base/Utf.h"
#include "tools/rc/Utf.h"

namespace rc {
namespace {

constexpr std::size_t kMaxIncludeDepth = 32;
constexpr std::size_t kMaxExpansion = 4096;

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

bool DirectivesOnly(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".h" || ext == ".hh" || ext == ".hpp" || ext == ".hxx" || ext == ".c";
}

std::string Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

}  // namespace

std::string Error::Describe() const {
    if (m_where.line > 0)
        return m_where.file + ":" + std::to_string(m_where.line) + ": " + what();
    return m_where.file + ": " + what();
}

Lexer::Lexer(FileSystem& files, std::vector<std::string> includeDirs)
    : m_files(files), m_includeDirs(std::move(includeDirs)) {
    // The platform's compiler defines this, so headers can keep C++-only lines from it.
    m_macros["RC_INVOKED"] = "1";
}

void Lexer::Open(const std::string& path) {
    auto text = m_files.Read(path);
    if (!text)
        throw Error({path, 0}, "cannot read the script");
    Push(path, std::move(*text), {path, 0});
}

void Lexer::Push(const std::string& path, std::string text, const Location& from) {
    if (m_sources.size() >= kMaxIncludeDepth)
        throw Error(from, "#include nests too deep (does a file include itself?)");
    if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFF &&
        static_cast<unsigned char>(text[1]) == 0xFE)
        throw Error({path, 1}, "the file is UTF-16; save it as UTF-8");
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    m_filesRead.push_back(path);
    Source src;
    src.path = path;
    src.text = std::move(text);
    src.directivesOnly = DirectivesOnly(path);
    m_sources.push_back(std::move(src));
    m_end = {path, 0};
}

std::string Lexer::Resolve(const std::string& name, const Location& from) const {
    namespace fs = std::filesystem;
    std::string normal = name;
    std::replace(normal.begin(), normal.end(), '\\', '/');
    std::vector<std::string> candidates;
    if (fs::path(normal).is_absolute()) {
        candidates.push_back(normal);
    } else {
        candidates.push_back(
            (fs::path(from.file).parent_path() / normal).lexically_normal().generic_string());
        for (const std::string& dir : m_includeDirs)
            candidates.push_back((fs::path(dir) / normal).lexically_normal().generic_string());
    }
    for (const std::string& candidate : candidates) {
        if (m_files.Read(candidate))
            return candidate;
    }
    return {};
}

std::string Lexer::ReadNamedFile(const std::string& name, const Location& where) {
    const std::string path = Resolve(name, where);
    if (path.empty())
        throw Error(where, "cannot find the file \"" + name + "\"");
    auto content = m_files.Read(path);
    if (!content)
        throw Error(where, "cannot read the file \"" + path + "\"");
    m_filesRead.push_back(path);
    return std::move(*content);
}

bool Lexer::Active() const {
    const auto& conditions = m_sources.back().conditions;
    return conditions.empty() || conditions.back().active;
}

void Lexer::SkipBlanks(Source& src) {
    while (!src.AtEnd()) {
        const char c = src.Peek();
        if (c == '\n') {
            ++src.line;
            ++src.pos;
            src.atLineStart = true;
        } else if (IsBlank(c)) {
            ++src.pos;
        } else if (c == '/' && src.Peek(1) == '/') {
            while (!src.AtEnd() && src.Peek() != '\n')
                ++src.pos;
        } else if (c == '/' && src.Peek(1) == '*') {
            const int startLine = src.line;
            src.pos += 2;
            while (!src.AtEnd() && !(src.Peek() == '*' && src.Peek(1) == '/')) {
                if (src.Peek() == '\n')
                    ++src.line;
                ++src.pos;
            }
            if (src.AtEnd())
                throw Error({src.path, startLine}, "the comment is not closed by */");
            src.pos += 2;
        } else {
            return;
        }
    }
}

bool Lexer::SkipToToken() {
    while (!m_sources.empty()) {
        Source& src = m_sources.back();
        SkipBlanks(src);
        if (src.AtEnd()) {
            if (!src.conditions.empty())
                throw Error({src.path, src.conditions.back().line},
                            "this #ifdef has no #endif in its file");
            m_end = {src.path, src.line};
            m_sources.pop_back();
            continue;
        }
        if (src.atLineStart && src.Peek() == '#') {
            Directive();
            continue;
        }
        if (!Active() || src.directivesOnly) {
            // Text that is not taken is passed over a character at a time, so that comments
            // and line starts are still seen.
            src.atLineStart = false;
            ++src.pos;
            continue;
        }
        src.atLineStart = false;
        return true;
    }
    return false;
}

void Lexer::Directive() {
    Source& src = m_sources.back();
    const Location where{src.path, src.line};
    // The logical line, continuations joined, comments dropped, strings kept whole.
    std::string line;
    ++src.pos;  // '#'
    while (!src.AtEnd()) {
        const char c = src.Peek();
        if (c == '\\' && (src.Peek(1) == '\n' || (src.Peek(1) == '\r' && src.Peek(2) == '\n'))) {
            src.pos += src.Peek(1) == '\r' ? 3 : 2;
            ++src.line;
        } else if (c == '\n') {
            break;
        } else if (c == '/' && src.Peek(1) == '/') {
            while (!src.AtEnd() && src.Peek() != '\n')
                ++src.pos;
        } else if (c == '/' && src.Peek(1) == '*') {
            src.pos += 2;
            while (!src.AtEnd() && !(src.Peek() == '*' && src.Peek(1) == '/')) {
                if (src.Peek() == '\n')
                    ++src.line;
                ++src.pos;
            }
            if (src.AtEnd())
                throw Error(where, "the comment is not closed by */");
            src.pos += 2;
            line += ' ';
        } else if (c == '"') {
            line += c;
            ++src.pos;
            while (!src.AtEnd() && src.Peek() != '"' && src.Peek() != '\n') {
                if (src.Peek() == '\\' && src.Peek(1) != '\n')
                    line += src.text[src.pos++];
                line += src.text[src.pos++];
            }
            if (src.Peek() == '"')
                line += src.text[src.pos++];
        } else {
            line += c;
            ++src.pos;
        }
    }

    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    std::size_t nameEnd = i;
    while (nameEnd < line.size() && IsIdentChar(line[nameEnd]))
        ++nameEnd;
    const std::string name = line.substr(i, nameEnd - i);
    const std::string rest = Trim(std::string_view(line).substr(nameEnd));
    auto& conditions = src.conditions;
    const bool active = Active();

    if (name == "ifdef" || name == "ifndef") {
        if (rest.empty() || !IsIdentStart(rest[0]))
            throw Error(where, "#" + name + " needs a macro name");
        const bool defined = m_macros.count(rest) != 0;
        conditions.push_back({active && (name == "ifdef") == defined, active, false, where.line});
        return;
    }
    if (name == "else") {
        if (conditions.empty() || conditions.back().seenElse)
            throw Error(where, "#else without #ifdef");
        Condition& condition = conditions.back();
        condition.active = condition.outerActive && !condition.active;
        condition.seenElse = true;
        return;
    }
    if (name == "endif") {
        if (conditions.empty())
            throw Error(where, "#endif without #ifdef");
        conditions.pop_back();
        return;
    }
    if (name == "if" || name == "elif") {
        throw Error(where, "#" + name + " is not supported; use #ifdef or #ifndef");
    }
    if (!active)
        return;

    if (name == "include") {
        if (rest.size() < 2 || !((rest.front() == '"' && rest.back() == '"') ||
                                 (rest.front() == '<' && rest.back() == '>')))
            throw Error(where, "#include needs a file name in quotes or <>");
        const std::string file = rest.substr(1, rest.size() - 2);
        const std::string path = Resolve(file, where);
        if (path.empty())
            throw Error(where, "cannot find the included file \"" + file + "\"");
        auto text = m_files.Read(path);
        if (!text)
            throw Error(where, "cannot read the included file \"" + path + "\"");
        src.atLineStart = true;
        Push(path, std::move(*text), where);
        return;
    }
    if (name == "define") {
        std::size_t end = 0;
        while (end < rest.size() && IsIdentChar(rest[end]))
            ++end;
        if (end == 0 || !IsIdentStart(rest[0]))
            throw Error(where, "#define needs a macro name");
        const std::string macro = rest.substr(0, end);
        if (end < rest.size() && rest[end] == '(')
            throw Error(where, "macros with parameters are not supported");
        const std::string value = Trim(std::string_view(rest).substr(end));
        const auto it = m_macros.find(macro);
        if (it != m_macros.end() && it->second != value)
            throw Error(where, macro + " is defined again with another value (" + it->second +
                                   ", now " + value + ")");
        m_macros[macro] = value;
        return;
    }
    if (name == "undef") {
        m_macros.erase(rest);
        return;
    }
    if (name == "pragma") {
        if (rest.rfind("code_page", 0) == 0) {
            std::string page = rest.substr(9);
            page.erase(std::remove_if(page.begin(), page.end(),
                                      [](char c) { return c == '(' || c == ')' || IsBlank(c); }),
                       page.end());
            if (page != "65001")
                throw Error(where,
                            "scripts are read as UTF-8; code page " + page + " is not supported");
        }
        return;  // other pragmas do not concern resources
    }
    if (name == "error")
        throw Error(where, "#error " + rest);
    throw Error(where, "unknown preprocessor line #" + name);
}

Token Lexer::LexString(Source& src) {
    Token token;
    token.kind = TokenKind::String;
    token.where = {src.path, src.line};
    if (src.Peek() == 'L')
        ++src.pos;
    ++src.pos;  // the opening quote
    const auto fail = [&](const std::string& message) { throw Error(token.where, message); };
    while (true) {
        if (src.AtEnd() || src.Peek() == '\n')
            fail("the string is not closed by \"");
        const char c = src.Peek();
        if (c == '"') {
            if (src.Peek(1) == '"') {  // "" stands for one quote
                token.wide += u'"';
                src.pos += 2;
                continue;
            }
            ++src.pos;
            break;
        }
        if (c == '\\') {
            const char e = src.Peek(1);
            src.pos += 2;
            switch (e) {
                case 'n':
                    token.wide += u'\n';
                    break;
                case 't':
                    token.wide += u'\t';
                    break;
                case 'r':
                    token.wide += u'\r';
                    break;
                case 'a':
                    token.wide += u'\a';
                    break;
                case 'b':
                    token.wide += u'\b';
                    break;
                case 'f':
                    token.wide += u'\f';
                    break;
                case 'v':
                    token.wide += u'\v';
                    break;
                case '\\':
                    token.wide += u'\\';
                    break;
                case '"':
                    token.wide += u'"';
                    break;
                case '\'':
                    token.wide += u'\'';
                    break;
                case '?':
                    token.wide += u'?';
                    break;
                case 'x': {
                    char16_t value = 0;
                    int digits = 0;
                    while (digits < 4 && std::isxdigit(static_cast<unsigned char>(src.Peek()))) {
                        const char d = src.text[src.pos++];
                        value = static_cast<char16_t>(value * 16 +
                                                      (std::isdigit(static_cast<unsigned char>(d))
                                                           ? d - '0'
                                                           : std::tolower(d) - 'a' + 10));
                        ++digits;
                    }
                    if (digits == 0)
                        fail("\\x needs hexadecimal digits");
                    token.wide += value;
                    break;
                }
                default:
                    if (e >= '0' && e <= '7') {
                        char16_t value = static_cast<char16_t>(e - '0');
                        for (int digits = 1; digits < 3 && src.Peek() >= '0' && src.Peek() <= '7';
                             ++digits)
                            value = static_cast<char16_t>(value * 8 + (src.text[src.pos++] - '0'));
                        token.wide += value;
                    } else {
                        if (e == '\n' || e == '\0')
                            fail("the string is not closed by \"");
                        fail(std::string("unknown escape \\") + e + " in the string");
                    }
            }
            continue;
        }
        const auto cp = DecodeUtf8(src.text, src.pos);
        if (!cp)
            fail("the string is not valid UTF-8");
        platform::AppendUtf16(token.wide, *cp);
    }
    token.text = platform::Utf16ToUtf8(token.wide);
    return token;
}

Token Lexer::LexNumber(Source& src) {
    Token token;
    token.kind = TokenKind::Number;
    token.where = {src.path, src.line};
    const std::size_t start = src.pos;
    while (IsIdentChar(src.Peek()))
        ++src.pos;
    token.text = src.text.substr(start, src.pos - start);
    std::string digits = token.text;
    while (!digits.empty() && (digits.back() == 'L' || digits.back() == 'l' ||
                               digits.back() == 'U' || digits.back() == 'u'))
        digits.pop_back();
    int base = 10;
    std::size_t i = 0;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        i = 2;
    } else if (digits.size() > 1 && digits[0] == '0') {
        base = 8;
        i = 1;
    }
    std::uint64_t value = 0;
    if (i == digits.size())
        throw Error(token.where, "malformed number " + token.text);
    for (; i < digits.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(digits[i])));
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        if (d < 0 || d >= base)
            throw Error(token.where, "malformed number " + token.text);
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (value > 0xFFFFFFFFu)
            throw Error(token.where, "the number " + token.text + " does not fit in 32 bits");
    }
    token.number = static_cast<std::uint32_t>(value);
    return token;
}

Token Lexer::LexOne(Source& src) {
    const char c = src.Peek();
    if (c == '"' || (c == 'L' && src.Peek(1) == '"'))
        return LexString(src);
    if (std::isdigit(static_cast<unsigned char>(c)))
        return LexNumber(src);
    Token token;
    token.where = {src.path, src.line};
    if (IsIdentStart(c)) {
        token.kind = TokenKind::Identifier;
        const std::size_t start = src.pos;
        while (IsIdentChar(src.Peek()))
            ++src.pos;
        token.text = src.text.substr(start, src.pos - start);
        return token;
    }
    static const std::string kPunct = ",|(){}+-*/&~";
    if (kPunct.find(c) == std::string::npos) {
        std::string shown(1, c);
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            shown = "byte " + std::to_string(static_cast<unsigned char>(c));
        throw Error(token.where, "unexpected " + shown);
    }
    token.kind = TokenKind::Punct;
    token.text = std::string(1, c);
    ++src.pos;
    return token;
}

Token Lexer::LexRaw() {
    if (!SkipToToken()) {
        Token end;
        end.where = m_end;
        return end;
    }
    return LexOne(m_sources.back());
}

std::vector<Token> Lexer::ExpandInto(const Token& token, std::set<std::string>& expanding) {
    if (token.kind != TokenKind::Identifier && token.kind != TokenKind::Word)
        return {token};
    const auto it = m_macros.find(token.text);
    if (it == m_macros.end() || expanding.count(token.text))
        return {token};
    Source body;
    body.path = token.where.file;
    body.line = token.where.line;
    body.text = it->second;
    expanding.insert(token.text);
    std::vector<Token> result;
    while (true) {
        SkipBlanks(body);
        if (body.AtEnd())
            break;
        Token inner = LexOne(body);
        inner.where = token.where;
        for (Token& expanded : ExpandInto(inner, expanding))
            result.push_back(std::move(expanded));
        // Macros that double each other grow without end; no script needs that much.
        if (result.size() > kMaxExpansion)
            throw Error(token.where, token.text + " expands to more than " +
                                         std::to_string(kMaxExpansion) + " tokens");
    }
    expanding.erase(token.text);
    return result;
}

std::vector<Token> Lexer::Expand(const Token& word) {
    std::set<std::string> expanding;
    return ExpandInto(word, expanding);
}

const Token& Lexer::Peek() {
    while (m_pending.empty()) {
        Token raw = LexRaw();
        if (raw.kind == TokenKind::End) {
            m_pending.push_back(std::move(raw));
            break;
        }
        for (Token& token : Expand(raw))
            m_pending.push_back(std::move(token));
    }
    return m_pending.front();
}

Token Lexer::Next() {
    Peek();
    Token token = std::move(m_pending.front());
    m_pending.pop_front();
    return token;
}

Token Lexer::NextWord() {
    if (!m_pending.empty()) {
        Token token = std::move(m_pending.front());
        m_pending.pop_front();
        return token;
    }
    if (!SkipToToken()) {
        Token end;
        end.where = m_end;
        return end;
    }
    Source& src = m_sources.back();
    const char c = src.Peek();
    if (c == '"' || (c == 'L' && src.Peek(1) == '"'))
        return LexString(src);
    Token token;
    token.kind = TokenKind::Word;
    token.where = {src.path, src.line};
    const std::size_t start = src.pos;
    while (!src.AtEnd()) {
        const char d = src.Peek();
        if (IsBlank(d) || d == '\n' || d == ',' || d == '{' || d == '}' || d == '"' ||
            (d == '/' && (src.Peek(1) == '/' || src.Peek(1) == '*')))
            break;
        ++src.pos;
    }
    if (src.pos == start)
        return LexOne(src);
    token.text = src.text.substr(start, src.pos - start);
    return token;
}

}  // namespace rc
