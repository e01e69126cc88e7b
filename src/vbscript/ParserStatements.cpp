#include "vbscript/Parser.h"
#include "vbscript/Sandbox.h"
#include "vbscript/ScriptError.h"

namespace vbs {

void Parser::statement(Block &out, bool singleLine)
{
    const Token &t = peek();
    const int line = t.line;
    if (++m_statements % 256 == 0) {
        if (m_deadline.hasExpired())
            throw ScriptError{Err::Timeout, errorText(Err::Timeout), line, true, false, {}, {}, 0};
        checkDeadline(); // and the host's stop request
        checkMemory();   // the tree of a huge Execute text
    }
    if (t.kind == Tok::Dot || t.kind == Tok::LParen) {
        // `.x = 1` (outside With it fails when it runs); `(f)(x)` calls f.
        out.push_back(nameStatement(line));
        return;
    }
    if (t.kind != Tok::Name)
        fail(Err::ExpectedStatement);
    const QString &kw = t.lower;
    if (!singleLine && !m_proc && m_prog
        && (kw == QLatin1String("sub") || kw == QLatin1String("function"))) {
        // A procedure defined inside a block exists from the start, as any other.
        const bool isFunction = kw == QLatin1String("function");
        next();
        return procedure(*m_prog, isFunction);
    }
    if (kw == QLatin1String("dim")) {
        next();
        return declaration(*m_decls, false);
    }
    if (kw == QLatin1String("const")) {
        next();
        return constDeclaration(*m_decls);
    }
    if (kw == QLatin1String("stop")) {
        next();
        return;
    }
    StmtPtr s;
    if (kw == QLatin1String("if")) {
        next();
        s = ifStatement(line);
    } else if (kw == QLatin1String("for") && !singleLine) {
        next();
        s = forStatement(line);
    } else if (kw == QLatin1String("do") && !singleLine) {
        next();
        s = doStatement(line);
    } else if (kw == QLatin1String("while") && !singleLine) {
        next();
        s = whileStatement(line);
    } else if (kw == QLatin1String("select") && !singleLine) {
        next();
        s = selectStatement(line);
    } else if (kw == QLatin1String("exit")) {
        next();
        s = exitStatement(line);
    } else if (kw == QLatin1String("on")) {
        next();
        s = onErrorStatement(line);
    } else if (kw == QLatin1String("redim")) {
        next();
        s = reDimStatement(line);
    } else if (kw == QLatin1String("erase")) {
        next();
        s = eraseStatement(line);
    } else if (kw == QLatin1String("set")) {
        next();
        s = setStatement(line);
    } else if (kw == QLatin1String("call")) {
        next();
        s = callKeywordStatement(line);
    } else if (kw == QLatin1String("with") && !singleLine) {
        next();
        s = withStatement(line);
    } else if (kw == QLatin1String("me")) {
        s = nameStatement(line);
    } else if (isReservedWord(kw)) {
        fail(Err::ExpectedStatement);
    } else {
        s = nameStatement(line);
    }
    out.push_back(std::move(s));
}

void Parser::declaration(std::vector<Declaration> &decls, bool)
{
    do {
        Declaration d;
        d.line = peek().line;
        d.name = expectName();
        if (accept(Tok::LParen)) {
            if (accept(Tok::RParen)) {
                d.kind = Declaration::DynamicArray;
            } else {
                d.kind = Declaration::FixedArray;
                do {
                    const Token &n = peek();
                    if (n.kind != Tok::Number || !n.value.isIntegral())
                        fail(Err::Syntax);
                    d.upper.push_back(n.value.asInt());
                    next();
                } while (accept(Tok::Comma));
                expect(Tok::RParen);
            }
        }
        decls.push_back(std::move(d));
    } while (accept(Tok::Comma));
}

void Parser::constDeclaration(std::vector<Declaration> &decls)
{
    do {
        Declaration d;
        d.kind = Declaration::Const;
        d.line = peek().line;
        d.name = expectName();
        expect(Tok::Eq);
        d.value = expression();
        decls.push_back(std::move(d));
    } while (accept(Tok::Comma));
}

StmtPtr Parser::ifStatement(int line)
{
    auto s = std::make_unique<IfStmt>(line);
    IfStmt::Branch first;
    first.cond = expression();
    expectKeyword("then");
    if (peek().kind != Tok::Newline) {
        // One-line form: If c Then a : b Else d : e
        singleLineStatements(first.body, true);
        s->branches.push_back(std::move(first));
        if (acceptKeyword("else"))
            singleLineStatements(s->elseBody, false);
        if (atKeyword("end") && atKeyword("if", 1)) { // tolerated trailing End If
            next();
            next();
        }
        return s;
    }
    const std::vector<const char *> ends = {"elseif", "else", "end"};
    first.body = block(ends);
    s->branches.push_back(std::move(first));
    for (;;) {
        if (acceptKeyword("elseif")) {
            IfStmt::Branch b;
            b.cond = expression();
            expectKeyword("then");
            b.body = block(ends);
            s->branches.push_back(std::move(b));
        } else if (acceptKeyword("else")) {
            s->elseBody = block({"end"});
            expectKeyword("end", Err::ExpectedEnd);
            expectKeyword("if");
            break;
        } else {
            expectKeyword("end", Err::ExpectedEnd);
            expectKeyword("if");
            break;
        }
    }
    return s;
}

void Parser::singleLineStatements(Block &out, bool stopAtElse)
{
    if (++m_nesting > kMaxBlockNesting)
        fail(Err::OutOfStack);
    for (;;) {
        while (accept(Tok::Colon)) {
        }
        // Either part may be empty: If c Then x = 1 Else / If c Then :
        if (peek().kind == Tok::Newline || peek().kind == Tok::End)
            break;
        if (atKeyword("else") || (atKeyword("end") && atKeyword("if", 1)))
            break;
        statement(out, true);
        if (!accept(Tok::Colon))
            break;
    }
    if (atKeyword("else") && !stopAtElse)
        fail(Err::ExpectedEndOfStatement);
    --m_nesting;
}

StmtPtr Parser::forStatement(int line)
{
    if (acceptKeyword("each")) {
        auto s = std::make_unique<ForEachStmt>(line);
        s->var = plainName();
        expectKeyword("in");
        s->collection = expression();
        endOfStatement();
        s->body = block({"next"});
        expectKeyword("next");
        if (peek().kind == Tok::Name && !isReservedWord(peek().lower))
            next();
        return s;
    }
    auto s = std::make_unique<ForStmt>(line);
    s->var = plainName();
    expect(Tok::Eq);
    s->from = expression();
    expectKeyword("to");
    s->to = expression();
    if (acceptKeyword("step"))
        s->step = expression();
    endOfStatement();
    s->body = block({"next"});
    expectKeyword("next");
    if (peek().kind == Tok::Name && !isReservedWord(peek().lower))
        next();
    return s;
}

StmtPtr Parser::doStatement(int line)
{
    auto s = std::make_unique<DoStmt>(line);
    if (acceptKeyword("while")) {
        s->test = DoStmt::PreWhile;
        s->cond = expression();
    } else if (acceptKeyword("until")) {
        s->test = DoStmt::PreUntil;
        s->cond = expression();
    }
    endOfStatement();
    s->body = block({"loop"});
    expectKeyword("loop");
    if (s->test == DoStmt::Forever) {
        if (acceptKeyword("while")) {
            s->test = DoStmt::PostWhile;
            s->cond = expression();
        } else if (acceptKeyword("until")) {
            s->test = DoStmt::PostUntil;
            s->cond = expression();
        }
    }
    return s;
}

StmtPtr Parser::whileStatement(int line)
{
    auto s = std::make_unique<DoStmt>(line);
    s->test = DoStmt::PreWhile;
    s->cond = expression();
    endOfStatement();
    s->body = block({"wend"});
    expectKeyword("wend");
    return s;
}

StmtPtr Parser::selectStatement(int line)
{
    auto s = std::make_unique<SelectStmt>(line);
    expectKeyword("case");
    s->test = expression();
    endOfStatement();
    for (;;) {
        skipSeparators();
        if (acceptKeyword("end")) {
            expectKeyword("select");
            break;
        }
        if (peek().kind == Tok::End)
            fail(Err::ExpectedEnd);
        const int caseLine = peek().line;
        expectKeyword("case");
        if (s->hasElse)
            failAt(Err::Syntax, caseLine);
        if (acceptKeyword("else")) {
            s->hasElse = true;
            s->elseBody = block({"case", "end"});
            continue;
        }
        SelectStmt::Case c;
        c.line = caseLine;
        do {
            c.values.push_back(expression());
        } while (accept(Tok::Comma));
        // The first statement may follow on the same line, even without a colon.
        if (!atEndOfStatement() && (peek().kind != Tok::Name || atKeyword("to")))
            fail(Err::ExpectedEndOfStatement);
        c.body = block({"case", "end"});
        s->cases.push_back(std::move(c));
    }
    return s;
}

StmtPtr Parser::exitStatement(int line)
{
    if (acceptKeyword("do"))
        return std::make_unique<ExitStmt>(line, ExitStmt::Do);
    if (acceptKeyword("for"))
        return std::make_unique<ExitStmt>(line, ExitStmt::For);
    const ProcKind kind = m_proc ? m_proc->kind : ProcKind::Sub;
    const bool inProperty = kind == ProcKind::PropertyGet || kind == ProcKind::PropertyLet
                            || kind == ProcKind::PropertySet;
    if (m_proc
        && ((kind == ProcKind::Sub && acceptKeyword("sub"))
            || (kind == ProcKind::Function && acceptKeyword("function"))
            || (inProperty && acceptKeyword("property"))))
        return std::make_unique<ExitStmt>(line, ExitStmt::Procedure);
    fail(Err::Syntax);
}

StmtPtr Parser::onErrorStatement(int line)
{
    if (peek().kind != Tok::Name || peek().lower != QLatin1String("error"))
        fail(Err::Syntax);
    next();
    if (peek().kind == Tok::Name && peek().lower == QLatin1String("resume")) {
        next();
        expectKeyword("next");
        return std::make_unique<OnErrorStmt>(line, true);
    }
    if (peek().kind == Tok::Name && peek().lower == QLatin1String("goto")) {
        next();
        const Token &n = peek();
        if (n.kind != Tok::Number || !n.value.isIntegral() || n.value.asInt() != 0)
            fail(Err::Syntax);
        next();
        return std::make_unique<OnErrorStmt>(line, false);
    }
    fail(Err::Syntax);
}

StmtPtr Parser::reDimStatement(int line)
{
    auto s = std::make_unique<ReDimStmt>(line);
    s->preserve = acceptKeyword("preserve");
    do {
        ReDimStmt::Item item;
        item.name = plainName();
        expect(Tok::LParen);
        do {
            item.bounds.push_back(expression());
        } while (accept(Tok::Comma));
        expect(Tok::RParen);
        s->items.push_back(std::move(item));
    } while (accept(Tok::Comma));
    return s;
}

StmtPtr Parser::eraseStatement(int line)
{
    auto s = std::make_unique<EraseStmt>(line);
    do {
        s->names.push_back(plainName());
    } while (accept(Tok::Comma));
    return s;
}

StmtPtr Parser::setStatement(int line)
{
    auto s = std::make_unique<AssignStmt>(line);
    s->isSet = true;
    s->target = target();
    expect(Tok::Eq);
    s->value = expression();
    return s;
}

StmtPtr Parser::callKeywordStatement(int line)
{
    auto s = std::make_unique<CallStmt>(line);
    ExprPtr t = target();
    if (t->kind == ExprKind::Call) {
        auto *call = static_cast<CallExpr *>(t.get());
        s->callee = std::move(call->callee);
        s->args = std::move(call->args);
    } else {
        s->callee = std::move(t);
    }
    return s;
}

namespace {

// f (a)(0): calls in calls whose innermost has one argument.
bool startsWithIndexedArgument(const Expr *t)
{
    if (t->kind != ExprKind::Call || static_cast<const CallExpr *>(t)->callee->kind != ExprKind::Call)
        return false;
    while (t->kind == ExprKind::Call && static_cast<const CallExpr *>(t)->callee->kind == ExprKind::Call)
        t = static_cast<const CallExpr *>(t)->callee.get();
    const auto *inner = static_cast<const CallExpr *>(t);
    return inner->args.size() == 1 && inner->args[0];
}

} // namespace

// f (a)(0), b and f(a)(0): the first parenthesised group and the indexes after it are the
// first argument, not a call of f whose result is indexed.
StmtPtr Parser::firstArgumentIndexed(std::unique_ptr<CallStmt> s, ExprPtr t)
{
    std::vector<std::pair<int, std::vector<ExprPtr>>> indexes; // from the outside in
    while (t->kind == ExprKind::Call && static_cast<CallExpr *>(t.get())->callee->kind == ExprKind::Call) {
        auto *outer = static_cast<CallExpr *>(t.get());
        indexes.emplace_back(outer->line, std::move(outer->args));
        ExprPtr inner = std::move(outer->callee);
        t = std::move(inner);
    }
    auto *call = static_cast<CallExpr *>(t.get());
    s->callee = std::move(call->callee);
    const int l = call->args[0]->line;
    ExprPtr first = sealed(std::make_unique<ParenExpr>(l, std::move(call->args[0])));
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
        auto index = std::make_unique<CallExpr>(it->first, std::move(first));
        index->args = std::move(it->second);
        first = sealed(std::move(index));
    }
    s->args.push_back(binary(0, std::move(first)));
    while (accept(Tok::Comma))
        s->args.push_back(peek().kind == Tok::Comma ? nullptr : expression());
    return s;
}

StmtPtr Parser::nameStatement(int line)
{
    ExprPtr t = target();
    if (accept(Tok::Eq)) {
        auto s = std::make_unique<AssignStmt>(line);
        s->target = std::move(t);
        s->value = expression();
        return s;
    }
    auto s = std::make_unique<CallStmt>(line);
    if (startsWithIndexedArgument(t.get()))
        return firstArgumentIndexed(std::move(s), std::move(t));
    if (t->kind == ExprKind::Call) {
        auto *call = static_cast<CallExpr *>(t.get());
        if (atEndOfStatement()) {
            // f(a) passes a by value; f(a, b) is not a Sub call.
            if (call->args.size() > 1)
                failAt(Err::ParenthesesInSubCall, line);
            s->callee = std::move(call->callee);
            if (call->args.size() == 1 && call->args[0]) {
                int l = call->args[0]->line;
                s->args.push_back(sealed(std::make_unique<ParenExpr>(l, std::move(call->args[0]))));
            }
            return s;
        }
        // f (a) + 1, b: the parenthesised part starts the first argument.
        if (call->args.size() != 1 || !call->args[0])
            fail(Err::ExpectedEndOfStatement);
        s->callee = std::move(call->callee);
        int l = call->args[0]->line;
        ExprPtr first = sealed(std::make_unique<ParenExpr>(l, std::move(call->args[0])));
        s->args.push_back(binary(0, std::move(first)));
        if (!accept(Tok::Comma)) {
            endOfStatement();
            return s;
        }
    } else {
        s->callee = std::move(t);
        if (atEndOfStatement())
            return s;
    }
    for (;;) {
        if (peek().kind == Tok::Comma)
            s->args.push_back(nullptr);
        else
            s->args.push_back(expression());
        if (!accept(Tok::Comma))
            break;
    }
    return s;
}

} // namespace vbs
