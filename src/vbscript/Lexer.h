#pragma once
// Lexer: splits script text into tokens. Names are case-insensitive: each name token also
// carries its lower-case form, which is what the parser compares keywords against.
#include "vbscript/Value.h"

#include <QString>
#include <vector>

namespace vbs {

enum class Tok {
    End,     // end of the text
    Newline, // end of a line
    Colon,   // ':' statement separator
    Name,    // identifier or keyword
    Number,
    String,
    Date,
    LParen, RParen, Comma, Dot,
    Plus, Minus, Star, Slash, Backslash, Caret, Amp,
    Eq, Ne, Lt, Gt, Le, Ge,
};

struct Token {
    Tok kind = Tok::End;
    int line = 0;
    QString text;    // a name as written, or a string literal's content
    QString lower;   // lower-case name; empty for bracketed names, which are never keywords
    Value value;     // Number and Date literals
    bool spaceBefore = false;
    bool afterContinuation = false; // first on a line that a `_` continued
};

// Produces tokens one at a time, so a large script never exists as a token list; raises
// ScriptError (1032, 1033, 1002) with the line filled in.
class Lexer {
public:
    explicit Lexer(const QString &text) : s(text) {}
    // The next token; after the text's end, a final Newline and then End forever.
    Token next();

private:
    Token &add(Tok kind);
    [[noreturn]] void fail(int number);
    bool afterOperand() const;
    void scan();
    void newline();
    void skipComment();
    bool continuation();
    void name();
    void bracketName();
    void number();
    void radixNumber();
    bool radixDigitFollows() const;
    void string();
    void date();
    void op();

    const QString &s;
    qsizetype pos = 0;
    int line = 1;
    bool space = false;
    bool continued = false; // a `_` joined the line the next token is on
    bool finished = false;
    Token pending;
    bool hasPending = false;
    Tok prevKind = Tok::Newline;
    bool prevSpace = false;
};

// All tokens of a text (for tests and small inputs).
std::vector<Token> tokenize(const QString &text);

} // namespace vbs
