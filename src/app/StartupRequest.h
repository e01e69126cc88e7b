#pragma once
// What the desktop program was asked to do by its command line.
#include <QString>
#include <QStringList>

struct StartupRequest {
    enum Kind { Main, Design, Help, Version };
    Kind kind = Main;
    // Main: the file to open (a bet file is imported, a ".tzd" template selected); Design: the
    // template to design ("" for a new one). Blanks around it are trimmed.
    QString file;

    // A start with a file hands it to a running VornPrn instead of opening a second window; a
    // start without a file, and the designer alone, always open their own window.
    bool HandsOff() const { return kind == Main && !file.isEmpty(); }
    bool OpensTemplate() const { return file.endsWith(QStringLiteral(".tzd"), Qt::CaseInsensitive); }
};

// The arguments after the program's name. A file name with blanks may come as several arguments
// (a desktop that does not quote): they are joined by one blank.
StartupRequest ParseStartup(const QStringList &args);

// The text of `VornPrn --help` (the manual page is made from it).
QString StartupUsage();
