#pragma once
// Parser: tokens to syntax tree. Every syntax error is found here, before anything runs.
// Nesting of blocks and expressions is bounded so hostile input cannot exhaust the C++ stack.
#include "vbscript/Ast.h"
#include "vbscript/Lexer.h"

#include <QDeadlineTimer>
#include <deque>
#include <memory>

namespace vbs {

// Deepest nesting of blocks (If, For, ...) and of expression trees a script may use.
constexpr int kMaxBlockNesting = 100;
constexpr int kMaxExpressionDepth = 400;

bool isReservedWord(const QString &lower);

// Parses a whole script; raises ScriptError with the line of the offending token. A parse that
// outlives `deadline` fails with the fatal timeout error.
std::unique_ptr<Program> parseProgram(const QString &source,
                                      QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));

// Parses one expression that fills the whole text (Eval).
ExprPtr parseExpression(const QString &source,
                        QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));

class Parser {
public:
    explicit Parser(const QString &source, QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));
    std::unique_ptr<Program> program();
    ExprPtr wholeExpression();

private:
    // Tokens
    const Token &peek(int ahead = 0) const;
    void fill(size_t count) const;
    Token next();
    bool atKeyword(const char *kw, int ahead = 0) const;
    bool acceptKeyword(const char *kw);
    void expectKeyword(const char *kw, int error = 1002);
    bool accept(Tok kind);
    void expect(Tok kind, int error = 1002);
    bool atEndOfStatement() const;
    void endOfStatement();
    void skipSeparators();
    QString expectName();
    [[noreturn]] void fail(int number) const;
    [[noreturn]] void failAt(int number, int line) const;

    // Statements (ParserStatements.cpp)
    void topLevel(Program &prog);
    void procedure(Program &prog, bool isFunction);
    // Parameters and body of a Sub, Function or Property, after its keywords.
    std::unique_ptr<Procedure> procedureDefinition(ProcKind kind);

    // Classes and With (ParserClasses.cpp)
    void classDefinition(Program &prog);
    void classMember(ClassDecl &cls);
    StmtPtr withStatement(int line);
    ExprPtr withMember(); // `.Name` inside a With block
    Block block(const std::vector<const char *> &terminators);
    bool atTerminator(const std::vector<const char *> &terminators) const;
    void statement(Block &out, bool singleLine);
    void declaration(std::vector<Declaration> &decls, bool allowConst);
    void constDeclaration(std::vector<Declaration> &decls);
    StmtPtr ifStatement(int line);
    void singleLineStatements(Block &out, bool stopAtElse);
    StmtPtr forStatement(int line);
    StmtPtr doStatement(int line);
    StmtPtr whileStatement(int line);
    StmtPtr selectStatement(int line);
    StmtPtr exitStatement(int line);
    StmtPtr onErrorStatement(int line);
    StmtPtr reDimStatement(int line);
    StmtPtr eraseStatement(int line);
    StmtPtr setStatement(int line);
    StmtPtr callKeywordStatement(int line);
    StmtPtr nameStatement(int line);
    StmtPtr firstArgumentIndexed(std::unique_ptr<CallStmt> s, ExprPtr t);

    // Expressions (ParserExpressions.cpp)
    ExprPtr expression();
    ExprPtr binary(int minPrec, ExprPtr lhs);
    ExprPtr unary();
    ExprPtr postfix(ExprPtr e);
    ExprPtr primary();
    ExprPtr target(); // a name with its calls and members: the start of a statement
    std::vector<ExprPtr> argumentList(Tok closer);
    std::unique_ptr<NameExpr> plainName();
    // Records the height of a finished node; a tree too deep to walk safely is an error.
    ExprPtr sealed(ExprPtr e) const;

    Lexer m_lexer;
    mutable std::deque<Token> m_ahead; // tokens peeked at but not yet taken
    QDeadlineTimer m_deadline;
    unsigned m_statements = 0;
    int m_nesting = 0;     // open blocks
    int m_exprNesting = 0; // open parentheses and prefix operators
    std::vector<Declaration> *m_decls = nullptr; // of the scope being parsed
    Procedure *m_proc = nullptr;
    Program *m_prog = nullptr; // of a whole script (not of Eval)
    std::vector<QString> m_withVars; // hidden variables of the open With blocks
    int m_withCount = 0;
};

} // namespace vbs
