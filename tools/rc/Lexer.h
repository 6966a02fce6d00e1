#pragma once
// Reads a resource script as tokens: the preprocessor lines (#include, #define, #undef, #ifdef,
// #ifndef, #else, #endif, #pragma code_page, #error) are handled here, comments are dropped and
// object-like macros are expanded. An included .h or .c file contributes its preprocessor
// lines only, as the platform's compiler treats C headers.

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/rc/Error.h"
#include "tools/rc/FileSystem.h"

namespace rc {

enum class TokenKind { End, Identifier, Number, String, Punct, Word };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;     // identifier, punctuation, word; a string's text in UTF-8
    std::u16string wide;  // a string's text
    std::uint32_t number = 0;
    Location where;
};

class Lexer {
public:
    Lexer(FileSystem& files, std::vector<std::string> includeDirs);

    // Starts on the main script; throws Error when it cannot be read.
    void Open(const std::string& path);

    // The next token, with macros expanded.
    Token Next();
    const Token& Peek();
    // A resource name or type as it stands at the start of a statement: a quoted string
    // (kind String), or the characters up to the next blank, comma, brace or comment (kind
    // Word). Macros are not expanded here; see Expand.
    Token NextWord();
    // The tokens a word or identifier stands for: a macro's expansion, or the token itself.
    std::vector<Token> Expand(const Token& word);

    // Finds a file named in the script (a bitmap, an icon, a data file) as #include does:
    // beside the script that names it, then in the include folders. Reads it and records it
    // as a dependency. Throws Error when it is not found.
    std::string ReadNamedFile(const std::string& name, const Location& where);

    // Every file read, main script first, for the dependency file.
    const std::vector<std::string>& FilesRead() const { return m_filesRead; }

private:
    struct Condition {
        bool active;       // this branch is taken
        bool outerActive;  // the lines around the #ifdef are taken
        bool seenElse;
        int line;
    };
    struct Source {
        std::string path;
        std::string text;
        std::size_t pos = 0;
        int line = 1;
        bool atLineStart = true;
        bool directivesOnly = false;
        std::vector<Condition> conditions;
        bool AtEnd() const { return pos >= text.size(); }
        char Peek(std::size_t ahead = 0) const {
            return pos + ahead < text.size() ? text[pos + ahead] : '\0';
        }
    };

    bool Active() const;
    void Push(const std::string& path, std::string text, const Location& from);
    std::string Resolve(const std::string& name, const Location& from) const;
    // Skips blanks, comments, preprocessor lines and text that is not taken; false at the end
    // of the main script.
    bool SkipToToken();
    void SkipBlanks(Source& src);
    void Directive();
    Token LexOne(Source& src);
    Token LexString(Source& src);
    Token LexNumber(Source& src);
    Token LexRaw();
    std::vector<Token> ExpandInto(const Token& token, std::set<std::string>& expanding);

    FileSystem& m_files;
    std::vector<std::string> m_includeDirs;
    std::vector<Source> m_sources;
    std::deque<Token> m_pending;
    std::map<std::string, std::string> m_macros;
    std::vector<std::string> m_filesRead;
    Location m_end;
};

}  // namespace rc
