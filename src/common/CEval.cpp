#include "common/CEval.h"
#include "common/VbFormat.h"

#include <cmath>

namespace {

enum class State { Start, AfterOperand, AfterBinary, AfterUnary };

int precedence(const QString &op)
{
    if (op == QLatin1String("+") || op == QLatin1String("-"))
        return 1;
    if (op == QLatin1String("*") || op == QLatin1String("/"))
        return 2;
    if (op == QLatin1String("^"))
        return 3;
    if (op == QLatin1String("(-)"))
        return 10;
    return 0;
}

bool isOperatorChar(QChar c)
{
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

bool isNameStart(QChar c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isNameChar(QChar c) { return isNameStart(c) || (c >= '0' && c <= '9'); }

double toDoubleToken(const QString &token, bool *ok)
{
    QString t = token;
    if (t.startsWith('.'))
        t.prepend('0');
    if (t.endsWith('.'))
        t.append('0');
    return t.toDouble(ok);
}

} // namespace

CSymbolTable &CEval::SymbolTable()
{
    if (!m_SymbolTable)
        m_SymbolTable = std::make_unique<CSymbolTable>();
    return *m_SymbolTable;
}

CEval::PostfixResult CEval::ToPostfix(const QString &expr)
{
    PostfixResult result;
    CStack ops;
    QString out;
    State state = State::Start;
    int openParens = 0;
    const int n = int(expr.size());
    auto fail = [&](const QString &message, int position) {
        result.ok = false;
        result.message = message;
        result.position = position;
        result.postfix = out;
        return result;
    };
    auto put = [&](const QString &token) {
        out += token;
        out += ' ';
    };

    int i = 0;
    while (i < n) {
        const QChar c = expr[i];
        const int pos = i + 1;
        if (c.unicode() <= 32) {
            ++i;
            continue;
        }
        if (c == '(') {
            if (state == State::AfterOperand)
                return fail(QStringLiteral("Operator expected"), pos);
            if (state == State::AfterUnary)
                state = State::AfterBinary;
            ops.Push(QStringLiteral("("));
            ++openParens;
            ++i;
            continue;
        }
        if (c == ')') {
            if (state != State::AfterOperand)
                return fail(QStringLiteral("Operand expected"), pos);
            if (openParens == 0)
                return fail(QStringLiteral("Closing parenthesis without matching open parenthesis"), pos);
            for (;;) {
                const QString top = ops.pop().toString();
                if (top == QLatin1String("("))
                    break;
                put(top);
            }
            --openParens;
            ++i;
            continue;
        }
        if (isOperatorChar(c)) {
            const QString op(c);
            if (state == State::AfterOperand) {
                const int p = precedence(op);
                while (ops.StackSize() > 0 && precedence(ops.GetPopValue().toString()) >= p)
                    put(ops.pop().toString());
                ops.Push(op);
                state = State::AfterBinary;
            } else {
                if (state == State::AfterUnary)
                    return fail(QStringLiteral("Operand expected"), pos);
                if (c == '-')
                    ops.Push(QStringLiteral("(-)"));
                else if (c != '+')
                    return fail(QStringLiteral("Operand expected"), pos);
                state = State::AfterUnary;
            }
            ++i;
            continue;
        }
        if ((c >= '0' && c <= '9') || c == '.') {
            if (state == State::AfterOperand)
                return fail(QStringLiteral("Operator expected"), pos);
            int j = i;
            bool seenPoint = false;
            while (j < n && ((expr[j] >= '0' && expr[j] <= '9') || expr[j] == '.')) {
                if (expr[j] == '.') {
                    if (seenPoint)
                        return fail(QStringLiteral("Operand contains multiple decimal points"), j + 1);
                    seenPoint = true;
                }
                ++j;
            }
            const QString token = expr.mid(i, j - i);
            if (token == QLatin1String("."))
                return fail(QStringLiteral("Invalid operand"), pos);
            put(token);
            state = State::AfterOperand;
            i = j;
            continue;
        }
        if (state == State::AfterOperand)
            return fail(QStringLiteral("Operator expected"), pos);
        if (!isNameStart(c))
            return fail(QStringLiteral("Unexpected character encountered"), pos);
        int j = i + 1;
        while (j < n && isNameChar(expr[j]))
            ++j;
        const QString name = expr.mid(i, j - i);
        if (!m_SymbolTable || !m_SymbolTable->IsSymbolDefined(name))
            return fail(QStringLiteral("Undefined symbol : '") + name + QStringLiteral("'"), pos);
        put(GeneralDouble(m_SymbolTable->Value(name)));
        state = State::AfterOperand;
        i = j;
    }
    if (state == State::AfterBinary || state == State::AfterUnary)
        return fail(QStringLiteral("Operand expected"), n + 1);
    if (openParens > 0)
        return fail(QStringLiteral("Closing parenthesis expected"), n + 1);
    while (ops.StackSize() > 0)
        put(ops.pop().toString());
    result.ok = true;
    result.postfix = out;
    result.position = 0;
    return result;
}

double CEval::EvaluatePostfix(const QString &postfix)
{
    CStack values;
    const auto tokens = QStringView(postfix).split(u' ', Qt::SkipEmptyParts);
    for (QStringView t : tokens) {
        const QChar c = t.front();
        if (t.size() == 1 && isOperatorChar(c)) {
            const double right = values.pop().toDouble();
            const double left = values.pop().toDouble();
            double r = 0;
            switch (c.unicode()) {
            case '+': r = left + right; break;
            case '-': r = left - right; break;
            case '*': r = left * right; break;
            case '/':
                if (right == 0)
                    throw VornEvalError(11, QStringLiteral("Division by zero"));
                r = left / right;
                break;
            default: r = std::pow(left, right); break;
            }
            if (!std::isfinite(r))
                throw VornEvalError(6, QStringLiteral("Overflow"));
            values.Push(r);
        } else if (t == u"(-)") {
            values.Push(-values.pop().toDouble());
        } else {
            bool ok = false;
            const double v = toDoubleToken(t.toString(), &ok);
            if (!ok)
                throw VornEvalError(1002, QStringLiteral("Bad token in Evaluate: ") + t.toString());
            values.Push(v);
        }
    }
    return values.StackSize() == 0 ? 0.0 : values.pop().toDouble();
}

double CEval::Evaluate(const QString &sExpression, double dblDefaultValue)
{
    const PostfixResult p = ToPostfix(sExpression);
    if (!p.ok) {
        m_lastError = p.message;
        return dblDefaultValue;
    }
    m_lastError.clear();
    return EvaluatePostfix(p.postfix);
}
