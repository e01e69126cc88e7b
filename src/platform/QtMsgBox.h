#pragma once
// The program's message boxes: a QMessageBox with the application title, the buttons and icon
// of the style, on top of the active window.
#include "common/MsgBox.h"

class QMessageBox;

// Installs the QMessageBox handler for MsgBox.
void InstallQtMsgBoxHandler();

// Sets up (without showing) the box MsgBox shows for a text and style; used by the handler and
// by tests that check buttons and icons.
void SetUpMessageBox(QMessageBox &box, const QString &text, MsgStyle style);
