#pragma once
// Every message box of the program goes through MsgBox. The window layer installs a handler
// that shows a QMessageBox with the application title; tests install a scripted one; without
// a handler (command line) the text goes to stderr and the default answer is returned.
#include <QString>
#include <functional>

enum class MsgStyle {
    Information,    // OK, information icon: notices, results, input hints
    ConfirmDefaultNo, // Yes/No, question icon, No is the default: destructive confirmations
    Question,       // Yes/No, question icon: other questions
    QuestionCancel, // Yes/No/Cancel, question icon, Yes is the default: save before leaving?
    Exclamation,    // OK, exclamation icon: warnings
    Plain,          // OK, no icon: open failures and runtime failure descriptions
    OkCancel,       // OK/Cancel, question icon: "go on with the next batch?"
    InformationOkCancel // OK/Cancel, information icon: the notice that a print job is done
};

enum class MsgAnswer { Ok, Cancel, Yes, No };

using MsgBoxHandler = std::function<MsgAnswer(const QString &text, MsgStyle style)>;

// Installs the handler and returns the previous one (empty = the stderr default).
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

MsgAnswer MsgBox(const QString &text, MsgStyle style = MsgStyle::Information);

// True when a Yes/No box was answered with Yes (the only answer that confirms).
inline bool IsConfirmed(MsgAnswer a) { return a == MsgAnswer::Yes; }

// The application title every box carries.
QString AppTitle();
