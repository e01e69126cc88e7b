#pragma once
// Whole text files as the program's users have them: GBK with CR LF. Reading also accepts LF
// alone, a missing final line end, and a UTF-8 or UTF-16 file that starts with a byte-order mark.
#include <QByteArray>
#include <QString>
#include <QStringList>

// Decodes file bytes: BOM-marked UTF-8/UTF-16 as such, everything else as GBK (GB18030).
QString DecodeText(const QByteArray &bytes);
QByteArray EncodeGbk(const QString &text);
// GBK (GB18030) bytes without looking for a byte-order mark.
QString DecodeGbk(const QByteArray &bytes);
// True when every byte is below 0x80: such text reads the same in GBK, UTF-8 and Latin-1.
bool IsAscii(const QByteArray &bytes);

struct TextReadResult {
    bool ok = false;
    QString text;   // the decoded content as it stands
    QString error;  // the system's description of the failure when !ok
};
TextReadResult ReadWholeTextFile(const QString &path);
// The file's bytes as they are (for writers that change a few lines and keep the rest).
bool ReadWholeFile(const QString &path, QByteArray *bytes, QString *error = nullptr);

// Writes the text as GBK through AtomicFile, so a failure leaves the old file untouched.
// `error` receives the reason of a failure (SaveFailureText), which is also the last error.
bool WriteWholeTextFile(const QString &path, const QString &text, QString *error = nullptr);
// Every line followed by CR LF.
QString JoinCrLf(const QStringList &lines);
