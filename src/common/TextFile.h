#pragma once
// Whole text files as the program's users have them: GBK with CR LF. Reading also accepts LF
// alone, a missing final line end, and a UTF-8 or UTF-16 file that starts with a byte-order mark.
#include <QByteArray>
#include <QString>
#include <QStringList>

// Decodes file bytes: BOM-marked UTF-8/UTF-16 as such, everything else as GBK (GB18030).
QString DecodeText(const QByteArray &bytes);
QByteArray EncodeGbk(const QString &text);

struct TextReadResult {
    bool ok = false;
    QString text;   // the decoded content as it stands
    QString error;  // the system's description of the failure when !ok
};
TextReadResult ReadWholeTextFile(const QString &path);

// Splits decoded text into lines at CR LF, LF or a lone CR; a final line end does not start
// another line; an empty text gives no lines.
QStringList SplitTextLines(const QString &text);

// Writes the text as GBK through QSaveFile, so a failure leaves the old file untouched.
// `error` receives the system's description of a failure.
bool WriteWholeTextFile(const QString &path, const QString &text, QString *error = nullptr);
// Every line followed by CR LF.
QString JoinCrLf(const QStringList &lines);
