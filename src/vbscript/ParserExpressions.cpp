#include "vbscript/Parser.h"
#include "vbscript/ScriptError.h"

namespace vbs {

namespace {

struct OpInfo {
    BinOp op;
    int prec; // higher binds tighter
};

// Binary operator at the token, if any. Not sits at precedence 6, between And and comparisons.
bool binaryOp(const Token &t, OpInfo &info)
{
    switch (t.kind) {
    case Tok::Caret: info = {BinOp::Pow, 13}; return true;
    case Tok::Star: info = {BinOp::Mul, 12}; return true;
    case Tok::Slash: info = {BinOp::Div, 12}; return true;
    case Tok::Backslash: info = {BinOp::IntDiv, 11}; return true;
    case Tok::Plus: info = {BinOp::Add, 9}; return true;
    case Tok::Minus: info = {BinOp::Sub, 9}; return true;
    case Tok::Amp: info = {BinOp::Concat, 8}; return true;
    case Tok::Eq: info = {BinOp::Eq, 7}; return true;
    case Tok::Ne: info = {BinOp::Ne, 7}; return true;
    case Tok::Lt: info = {BinOp::Lt, 7}; return true;
    case Tok::Gt: info = {BinOp::Gt, 7}; return true;
    case Tok::Le: info = {BinOp::Le, 7}; return true;
    case Tok::Ge: info = {BinOp::Ge, 7}; return true;
    case Tok::Name:
        if (t.lower == QLatin1String("mod")) { info = {BinOp::Mod, 10}; return true; }
        if (t.lower == QLatin1String("is")) { info = {BinOp::Is, 7}; return true; }
        if (t.lower == QLatin1String("and")) { info = {BinOp::And, 5}; return true; }
        if (t.lower == QLatin1String("or")) { info = {BinOp::Or, 4}; return true; }
        if (t.lower == QLatin1String("xor")) { info = {BinOp::Xor, 3}; return true; }
        if (t.lower == QLatin1String("eqv")) { info = {BinOp::Eqv, 2}; return true; }
        if (t.lower == QLatin1String("imp")) { info = {BinOp::Imp, 1}; return true; }
        return false;
    default:
        return false;
    }
}

constexpr int kNotPrecedence = 6;

int heightOf(const Expr *e) { return e ? e->depth : 0; }

// Guards the parser's own recursion through parentheses and prefix operators.
struct NestingGuard {
    NestingGuard(int &counter, const Parser *) : c(counter) { ++c; }
    ~NestingGuard() { --c; }
    int &c;
};

} // namespace

ExprPtr Parser::sealed(ExprPtr e) const
{
    int h = 0;
    switch (e->kind) {
    case ExprKind::Call: {
        auto *c = static_cast<CallExpr *>(e.get());
        h = heightOf(c->callee.get());
        for (const auto &a : c->args)
            h = std::max(h, heightOf(a.get()));
        break;
    }
    case ExprKind::Member:
        h = heightOf(static_cast<MemberExpr *>(e.get())->object.get());
        break;
    case ExprKind::Unary:
        h = heightOf(static_cast<UnaryExpr *>(e.get())->operand.get());
        break;
    case ExprKind::Binary: {
        auto *b = static_cast<BinaryExpr *>(e.get());
        h = std::max(heightOf(b->lhs.get()), heightOf(b->rhs.get()));
        break;
    }
    case ExprKind::Paren:
        h = heightOf(static_cast<ParenExpr *>(e.get())->inner.get());
        break;
    default:
        break;
    }
    e->depth = h + 1;
    if (e->depth > kMaxExpressionDepth)
        failAt(Err::OutOfStack, e->line);
    return e;
}

ExprPtr Parser::expression()
{
    if (m_exprNesting > kMaxExpressionDepth)
        fail(Err::OutOfStack);
    NestingGuard guard(m_exprNesting, this);
    return binary(0, unary());
}

ExprPtr Parser::binary(int minPrec, ExprPtr lhs)
{
    OpInfo info;
    while (binaryOp(peek(), info) && info.prec >= minPrec) {
        const int line = next().line;
        ExprPtr rhs = unary();
        OpInfo nextInfo;
        while (binaryOp(peek(), nextInfo) && nextInfo.prec > info.prec)
            rhs = binary(info.prec + 1, std::move(rhs));
        lhs = sealed(std::make_unique<BinaryExpr>(line, info.op, std::move(lhs), std::move(rhs)));
    }
    return lhs;
}

ExprPtr Parser::unary()
{
    if (m_exprNesting > kMaxExpressionDepth)
        fail(Err::OutOfStack);
    NestingGuard guard(m_exprNesting, this);
    const Token &t = peek();
    const int line = t.line;
    if (t.kind == Tok::Minus || t.kind == Tok::Plus) {
        const bool neg = t.kind == Tok::Minus;
        next();
        ExprPtr operand = unary();
        if (operand->kind == ExprKind::Literal) {
            auto *lit = static_cast<LiteralExpr *>(operand.get());
            if (lit->value.isNumeric()) {
                if (neg)
                    lit->value = negate(lit->value);
                lit->bareToken = false;
                return operand;
            }
        }
        return sealed(std::make_unique<UnaryExpr>(line, neg ? UnaryExpr::Neg : UnaryExpr::Plus,
                                                  std::move(operand)));
    }
    if (t.kind == Tok::Name && t.lower == QLatin1String("not")) {
        next();
        ExprPtr operand = binary(kNotPrecedence + 1, unary());
        return sealed(std::make_unique<UnaryExpr>(line, UnaryExpr::Not, std::move(operand)));
    }
    return primary();
}

ExprPtr Parser::primary()
{
    const Token &t = peek();
    const int line = t.line;
    switch (t.kind) {
    case Tok::Number:
    case Tok::Date:
        return std::make_unique<LiteralExpr>(line, next().value);
    case Tok::String:
        return std::make_unique<LiteralExpr>(line, Value::string(next().text));
    case Tok::LParen: {
        next();
        ExprPtr inner = expression();
        expect(Tok::RParen);
        return postfix(sealed(std::make_unique<ParenExpr>(line, std::move(inner))));
    }
    case Tok::Name:
        break;
    case Tok::Dot:
        return withMember();
    default:
        fail(Err::Syntax);
    }
    const QString &w = t.lower;
    if (w == QLatin1String("true") || w == QLatin1String("false")) {
        bool b = w == QLatin1String("true");
        next();
        return std::make_unique<LiteralExpr>(line, Value::boolean(b));
    }
    if (w == QLatin1String("empty")) {
        next();
        return std::make_unique<LiteralExpr>(line, Value());
    }
    if (w == QLatin1String("null")) {
        next();
        return std::make_unique<LiteralExpr>(line, Value::null());
    }
    if (w == QLatin1String("nothing")) {
        next();
        return std::make_unique<LiteralExpr>(line, Value::object(nullptr));
    }
    if (w == QLatin1String("new")) {
        next();
        return std::make_unique<NewExpr>(line, expectName());
    }
    if (isReservedWord(w) && w != QLatin1String("me"))
        fail(Err::Syntax);
    return target();
}

ExprPtr Parser::target()
{
    const Token &t = peek();
    if (t.kind == Tok::Dot)
        return withMember();
    if (t.kind == Tok::LParen) {
        // (f)(x), Call (((f))) (x), Call (New C).m(): parentheses around what is called
        // do not change it.
        ExprPtr e = primary();
        if (e->kind == ExprKind::Call) {
            auto *call = static_cast<CallExpr *>(e.get());
            while (call->callee->kind == ExprKind::Paren)
                call->callee = std::move(static_cast<ParenExpr *>(call->callee.get())->inner);
        }
        return e;
    }
    if (t.kind != Tok::Name || (isReservedWord(t.lower) && t.lower != QLatin1String("me")))
        fail(Err::ExpectedStatement);
    const int line = t.line;
    return postfix(std::make_unique<NameExpr>(line, next().text));
}

ExprPtr Parser::postfix(ExprPtr e)
{
    for (;;) {
        const int line = peek().line;
        if (accept(Tok::LParen)) {
            // (f)(x) calls f with x: parentheses around what is called do not change it.
            while (e->kind == ExprKind::Paren)
                e = std::move(static_cast<ParenExpr *>(e.get())->inner);
            auto call = std::make_unique<CallExpr>(line, std::move(e));
            call->args = argumentList(Tok::RParen);
            e = sealed(std::move(call));
        } else if (peek().kind == Tok::Dot && (!peek().spaceBefore || peek().afterContinuation)) {
            // obj.Load() _ / .Show(): a dot that starts a continued line goes on with the
            // member chain (elsewhere a dot after a space starts a With member).
            next();
            if (peek().kind != Tok::Name)
                fail(Err::ExpectedIdentifier);
            e = sealed(std::make_unique<MemberExpr>(line, std::move(e), next().text));
        } else {
            return e;
        }
    }
}

std::vector<ExprPtr> Parser::argumentList(Tok closer)
{
    std::vector<ExprPtr> args;
    if (accept(closer))
        return args;
    for (;;) {
        if (peek().kind == Tok::Comma || peek().kind == closer)
            args.push_back(nullptr);
        else
            args.push_back(expression());
        if (accept(Tok::Comma))
            continue;
        expect(closer, Err::Syntax);
        return args;
    }
}

std::unique_ptr<NameExpr> Parser::plainName()
{
    const int line = peek().line;
    return std::make_unique<NameExpr>(line, expectName());
}

} // namespace vbs
