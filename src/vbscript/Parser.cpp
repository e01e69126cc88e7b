#include "vbscript/Parser.h"

#include "vbscript/ScriptError.h"

#include <QSet>

namespace vbs {

// Words that can never name a variable or procedure.
bool isReservedWord(const QString &lower)
{
    static const QSet<QString> words = {
        "and", "byref", "byval", "call", "case", "class", "const", "dim", "do", "each", "else",
        "elseif", "empty", "end", "eqv", "erase", "exit", "false", "for", "function", "if", "imp",
        "in", "is", "loop", "me", "mod", "new", "next", "not", "nothing", "null", "on", "option",
        "or", "preserve", "private", "public", "redim", "select", "set", "sub", "then",
        "to", "true", "until", "wend", "while", "with", "xor",
    };
    return words.contains(lower);
}

std::unique_ptr<Program> parseProgram(const QString &source, QDeadlineTimer deadline)
{
    Parser parser(source, deadline);
    return parser.program();
}

ExprPtr parseExpression(const QString &source, QDeadlineTimer deadline)
{
    Parser parser(source, deadline);
    return parser.wholeExpression();
}

ExprPtr Parser::wholeExpression()
{
    ExprPtr e = expression();
    skipSeparators();
    if (peek().kind != Tok::End)
        fail(Err::ExpectedEndOfStatement);
    return e;
}

Parser::Parser(const QString &source, QDeadlineTimer deadline)
    : m_lexer(source), m_deadline(deadline)
{
}

void Parser::fill(size_t count) const
{
    while (m_ahead.size() < count)
        m_ahead.push_back(const_cast<Lexer &>(m_lexer).next());
}

const Token &Parser::peek(int ahead) const
{
    fill(size_t(ahead) + 1);
    return m_ahead[size_t(ahead)];
}

Token Parser::next()
{
    fill(1);
    Token t = std::move(m_ahead.front());
    m_ahead.pop_front();
    return t;
}

bool Parser::atKeyword(const char *kw, int ahead) const
{
    const Token &t = peek(ahead);
    return t.kind == Tok::Name && t.lower == QLatin1String(kw);
}

bool Parser::acceptKeyword(const char *kw)
{
    if (!atKeyword(kw))
        return false;
    next();
    return true;
}

void Parser::expectKeyword(const char *kw, int error)
{
    if (!acceptKeyword(kw))
        fail(error);
}

bool Parser::accept(Tok kind)
{
    if (peek().kind != kind)
        return false;
    next();
    return true;
}

void Parser::expect(Tok kind, int error)
{
    if (!accept(kind))
        fail(error);
}

bool Parser::atEndOfStatement() const
{
    Tok k = peek().kind;
    if (k == Tok::Newline || k == Tok::Colon || k == Tok::End || atKeyword("else"))
        return true;
    // `Else x = 3 End If`: these closers may follow a statement on its line.
    return atKeyword("end")
           && (atKeyword("if", 1) || atKeyword("sub", 1) || atKeyword("function", 1)
               || atKeyword("class", 1) || atKeyword("property", 1));
}

void Parser::endOfStatement()
{
    if (!atEndOfStatement())
        fail(Err::ExpectedEndOfStatement);
}

void Parser::skipSeparators()
{
    while (peek().kind == Tok::Newline || peek().kind == Tok::Colon)
        next();
}

QString Parser::expectName()
{
    const Token &t = peek();
    if (t.kind != Tok::Name || isReservedWord(t.lower))
        fail(Err::ExpectedIdentifier);
    return next().text;
}

void Parser::fail(int number) const
{
    failAt(number, peek().line);
}

void Parser::failAt(int number, int line) const
{
    raiseAt(number, line);
}

std::unique_ptr<Program> Parser::program()
{
    auto prog = std::make_unique<Program>();
    m_prog = prog.get();
    m_decls = &prog->decls;
    skipSeparators();
    if (acceptKeyword("option")) {
        if (peek().kind != Tok::Name || peek().lower != QLatin1String("explicit"))
            fail(Err::Syntax);
        next();
        endOfStatement();
        prog->optionExplicit = true;
    }
    for (;;) {
        skipSeparators();
        if (peek().kind == Tok::End)
            break;
        topLevel(*prog);
        endOfStatement();
    }
    return prog;
}

void Parser::topLevel(Program &prog)
{
    if (atKeyword("public") || atKeyword("private")) {
        next();
        acceptKeyword("default");
        if (acceptKeyword("sub"))
            return procedure(prog, false);
        if (acceptKeyword("function"))
            return procedure(prog, true);
        if (acceptKeyword("const"))
            return constDeclaration(prog.decls);
        return declaration(prog.decls, false);
    }
    if (acceptKeyword("sub"))
        return procedure(prog, false);
    if (acceptKeyword("function"))
        return procedure(prog, true);
    if (acceptKeyword("class"))
        return classDefinition(prog);
    statement(prog.body, false);
}

void Parser::procedure(Program &prog, bool isFunction)
{
    auto proc = procedureDefinition(isFunction ? ProcKind::Function : ProcKind::Sub);
    m_decls = &prog.decls;
    prog.procedures.push_back(std::move(proc));
}

std::unique_ptr<Procedure> Parser::procedureDefinition(ProcKind kind)
{
    auto proc = std::make_unique<Procedure>();
    proc->line = peek().line;
    proc->kind = kind;
    proc->isFunction = kind == ProcKind::Function || kind == ProcKind::PropertyGet;
    proc->name = expectName();
    const bool parenthesized = peek().kind == Tok::LParen;
    if (accept(Tok::LParen) && !accept(Tok::RParen)) {
        do {
            Procedure::Param p;
            if (acceptKeyword("byval"))
                p.byRef = false;
            else
                acceptKeyword("byref");
            p.name = expectName();
            if (accept(Tok::LParen))
                expect(Tok::RParen);
            proc->params.push_back(p);
        } while (accept(Tok::Comma));
        expect(Tok::RParen);
    }
    if ((kind == ProcKind::PropertyLet || kind == ProcKind::PropertySet) && proc->params.empty())
        fail(Err::Syntax); // the assigned value arrives as the last parameter
    // `Sub Tick() n = n + 1 End Sub`: after a parameter list the body may start on the same line.
    if (!parenthesized)
        endOfStatement();
    std::vector<Declaration> *outerDecls = m_decls;
    m_decls = &proc->decls;
    m_proc = proc.get();
    proc->body = block({"end"});
    expectKeyword("end", Err::ExpectedEnd);
    const char *closer = kind == ProcKind::Sub        ? "sub"
                         : kind == ProcKind::Function ? "function"
                                                      : "property";
    expectKeyword(closer, Err::Syntax);
    m_decls = outerDecls;
    m_proc = nullptr;
    return proc;
}

bool Parser::atTerminator(const std::vector<const char *> &terminators) const
{
    for (const char *t : terminators)
        if (atKeyword(t))
            return true;
    return false;
}

Block Parser::block(const std::vector<const char *> &terminators)
{
    if (++m_nesting > kMaxBlockNesting)
        fail(Err::OutOfStack);
    Block body;
    for (;;) {
        skipSeparators();
        if (peek().kind == Tok::End) {
            bool wantsEnd = std::find_if(terminators.begin(), terminators.end(), [](const char *t) {
                                return QLatin1String(t) == QLatin1String("end");
                            }) != terminators.end();
            fail(wantsEnd ? Err::ExpectedEnd : Err::Syntax);
        }
        if (atTerminator(terminators))
            break;
        statement(body, false);
        endOfStatement();
    }
    --m_nesting;
    return body;
}

} // namespace vbs
