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
};

// Tokenises the whole text; raises ScriptError (1032, 1033, 1002) with the line filled in.
std::vector<Token> tokenize(const QString &text);

} // namespace vbs
