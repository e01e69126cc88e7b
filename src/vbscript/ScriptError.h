#pragma once
// Run-time and compile errors of the script engine. Errors travel as C++ exceptions inside the
// engine only; the public face (Engine) turns them into a ScriptFailure.
#include <QString>

namespace vbs {

// Error numbers scripts can see in Err.Number.
namespace Err {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int ArrayFixed = 10;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int OutOfStack = 28;
constexpr int UndefinedProcedure = 35;
constexpr int ObjectNotSet = 91;
constexpr int ForNotInitialized = 92;
constexpr int InvalidNull = 94;
constexpr int ObjectRequired = 424;
constexpr int CannotCreateObject = 429;
constexpr int NoSuchMember = 438;
constexpr int WrongArgumentCount = 450;
constexpr int NotACollection = 451;
constexpr int DuplicateKey = 457;
constexpr int UnsupportedType = 458;
constexpr int ClassNotDefined = 506;
constexpr int UndefinedVariable = 500;
constexpr int IllegalAssignment = 501;
constexpr int InvalidReference = 505;
constexpr int Syntax = 1002;
constexpr int ExpectedIdentifier = 1010;
constexpr int ExpectedEnd = 1014;
constexpr int ExpectedStatement = 1024;
constexpr int ExpectedEndOfStatement = 1025;
constexpr int InvalidNumber = 1031;
constexpr int InvalidCharacter = 1032;
constexpr int UnterminatedString = 1033;
constexpr int ParenthesesInSubCall = 1044;
constexpr int RegExpSyntax = 5017;
constexpr int ElementNotFound = 32811;
// Our own: the run passed its deadline. Scripts cannot catch it with On Error.
constexpr int Timeout = 9001;
// Our own: the host stopped the run (the user asked it to). Scripts cannot catch it either.
constexpr int Stopped = 9002;
} // namespace Err

// The text Err.Description shows for a number ("未知的运行时错误" for numbers we do not know).
QString errorText(int number);

struct ScriptError {
    int number = 0;
    QString description; // without the line suffix
    int line = 0;        // 0 until the statement that raised it fills it in
    bool fatal = false;  // not catchable by On Error Resume Next (deadline)
    bool named = false;  // description already carries ": 'Name'"
    QString source;      // Err.Source when caught; empty means the engine's own
    QString helpFile;    // Err.HelpFile and Err.HelpContext when caught (Err.Raise)
    int helpContext = 0;
};

// Throw an error with the standard text for its number.
[[noreturn]] void raise(int number);
// Throw an error whose text names what it concerns: "类型不匹配: 'foo'".
[[noreturn]] void raiseNamed(int number, const QString &name);
[[noreturn]] void raiseAt(int number, int line);

} // namespace vbs
