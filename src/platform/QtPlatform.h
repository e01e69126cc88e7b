#pragma once
// The Qt versions of the hooks the logic calls (message boxes, the wait pointer, opening a file
// or an address) and Qt's own Chinese texts. The desktop program installs them at start-up; the
// command line and the logic tests run without them.
class QCoreApplication;

// Installs the QMessageBox handler of MsgBox, the wait pointer of clsMouseCtrl, the
// QDesktopServices opener of ShellOpen and the window shown while a conversion script runs.
void InstallQtPlatformHooks();

// Loads the zh_CN translations Qt ships (the buttons of the file and print dialogs, the
// context menus of text boxes, the questions of Qt's own dialogs). False when they are not
// installed; the program then still runs, with those texts in English.
bool InstallChineseTranslations(QCoreApplication &app);
