#pragma once
// Arithmetic expressions typed into numeric fields: infix text -> postfix -> value.
#include "common/CStack.h"
#include "common/CSymbolTable.h"
#include <QString>
#include <memory>

class CEval {
public:
    // The value of the expression, or the default when it does not convert. "" gives 0. A
    // run-time failure (division by zero, overflow) throws VornEvalError; ToNumber catches it.
    double Evaluate(const QString &sExpression, double dblDefaultValue);

    struct PostfixResult {
        bool ok = false;
        QString postfix;   // each token followed by one blank
        QString message;   // e.g. "Operand expected"
        int position = 0;  // 1-based position of the error; 0 on success
    };
    PostfixResult ToPostfix(const QString &sExpression);
    // Evaluates a postfix string; throws VornEvalError on a bad token or empty stack.
    double EvaluatePostfix(const QString &postfix);

    QString LastErrorMessage() const { return m_lastError; }
    CSymbolTable &SymbolTable();

private:
    std::unique_ptr<CSymbolTable> m_SymbolTable;
    QString m_lastError;
};
