#include "common/CEval.h"
#include "common/ToNumber.h"

#include <gtest/gtest.h>

TEST(ToNumber, ExpressionsAndPlainNumbers)
{
    struct Case {
        QVariant value;
        double def;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {"28.5*3", 0, -1, 85.5},  {"(120-4.5)/2", 0, -1, 57.75}, {"-3+5", 0, -1, 2},
        {"2*-3", 0, -1, -6},      {"+7", 0, -1, 7},              {"2^3^2", 0, -1, 64},
        {"-2^2", 0, -1, 4},       {"abc", 5, -1, 5},             {"", 5, -1, 0},
        {"   ", 5, -1, 0},        {"1/0", 5, -1, 5},             {"2.5", 0, 0, 3},
        {"-2.5", 0, 0, -3},       {" 1.5e3 ", 0, -1, 1500},      {"5.", 0, -1, 5},
        {".5", 0, -1, 0.5},       {"1.23456", 0, 2, 1.23},       {"0.125", 0, 2, 0.13},
        {true, 0, -1, -1},        {false, 3, -1, 0},             {"1+", 8, -1, 8},
        {"10^400", 9, -1, 9},     {"(1", 2, -1, 2},              {"x+1", 3, -1, 3},
        {12, 0, -1, 12},          {"1.5.5", 4, -1, 4},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(ToNumber(c.value, c.def, c.decimals), c.expected)
            << c.value.toString().toStdString();
}

TEST(CEval, PostfixStringAndErrorPositions)
{
    struct Case {
        const char *expr;
        const char *postfixOrMessage;
        int position; // 0 = success
    };
    const Case cases[] = {
        {"1+2*3", "1 2 3 * + ", 0},
        {"(1+2)*3", "1 2 + 3 * ", 0},
        {"-2^2", "2 (-) 2 ^ ", 0},
        {"2^3^2", "2 3 ^ 2 ^ ", 0},
        {"+7", "7 ", 0},
        {"1.50 - .5", "1.50 .5 - ", 0},
        {"", "", 0},
        {"1..2", "Operand contains multiple decimal points", 3},
        {".", "Invalid operand", 1},
        {"3 4", "Operator expected", 3},
        {"2(3)", "Operator expected", 2},
        {"(1+2", "Closing parenthesis expected", 5},
        {"1+2)", "Closing parenthesis without matching open parenthesis", 4},
        {"x+1", "Undefined symbol : 'x'", 1},
        {"2*Abc", "Undefined symbol : 'Abc'", 3},
        {"#", "Unexpected character encountered", 1},
        {"3+", "Operand expected", 3},
        {"()", "Operand expected", 2},
        {"*2", "Operand expected", 1},
        {"--2", "Operand expected", 2},
    };
    for (const Case &c : cases) {
        CEval eval;
        const CEval::PostfixResult r = eval.ToPostfix(c.expr);
        EXPECT_EQ(r.ok, c.position == 0) << c.expr;
        EXPECT_EQ(r.position, c.position) << c.expr;
        EXPECT_EQ(r.ok ? r.postfix : r.message, c.postfixOrMessage) << c.expr;
    }
}

TEST(CEval, DefinedSymbolsAreWrittenAsTheirValues)
{
    CEval eval;
    eval.SymbolTable().Add("Width", 2.5);
    const CEval::PostfixResult r = eval.ToPostfix("width*2");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.postfix, "2.5 2 * ");
    EXPECT_DOUBLE_EQ(eval.Evaluate("WIDTH*2", 0), 5);
}

TEST(CEval, BadPostfixTokenAndSupportClassErrors)
{
    CEval eval;
    try {
        eval.EvaluatePostfix("1 x +");
        FAIL() << "no error";
    } catch (const VornEvalError &e) {
        EXPECT_EQ(e.code(), 1002);
        EXPECT_EQ(e.message(), "Bad token in Evaluate: x");
    }
    CStack s;
    EXPECT_THROW(s.pop(), VornEvalError);
    EXPECT_THROW(s.GetPopValue(), VornEvalError);
    for (int i = 0; i < 25; ++i)
        s.Push(i);
    EXPECT_EQ(s.StackSize(), 25);
    EXPECT_EQ(s.GetPopValue().toInt(), 24);
    EXPECT_EQ(s.pop().toInt(), 24);
    EXPECT_EQ(s.StackSize(), 24);

    CSymbolTable t;
    t.Add("a", 1);
    auto code = [](auto &&f) {
        try {
            f();
        } catch (const VornEvalError &e) {
            return e.code();
        }
        return 0;
    };
    EXPECT_EQ(code([&] { t.Add("A", 2); }), 1021);
    EXPECT_EQ(code([&] { t.Add("b", "zz"); }), 1020);
    EXPECT_EQ(code([&] { t.Value("nope"); }), 1022);
    EXPECT_EQ(code([&] { t.SetValue("a", "zz"); }), 1020);
    EXPECT_EQ(code([&] { t.SetValue("nope", 1); }), 1022);
    t.Delete("nope");
    t.Delete("A");
    EXPECT_EQ(t.Count(), 0);
}

TEST(CEval, HugeInputsConvertWithoutCrashing)
{
    const QString deep = QString(10000, '(') + "2" + QString(10000, ')');
    EXPECT_DOUBLE_EQ(ToNumber(deep, 1), 2);
    const QString unbalanced = QString(10000, '(') + "2";
    EXPECT_DOUBLE_EQ(ToNumber(unbalanced, 1), 1);
    QString sum = "1";
    for (int i = 0; i < 200000; ++i)
        sum += "+1";
    EXPECT_DOUBLE_EQ(ToNumber(sum, 0), 200001);
    EXPECT_DOUBLE_EQ(ToNumber(QString(1 << 20, 'a'), 3), 3);
}
