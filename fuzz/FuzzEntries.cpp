#include "FuzzEntries.h"

#include "common/CEval.h"
#include "common/IniDocument.h"
#include "common/MsgBox.h"
#include "common/TextFile.h"
#include "common/ToNumber.h"
#include "common/VornEvalError.h"
#include "input/NormalizeLottNumberLine.h"
#include "input/TextLines.h"
#include "input/clsScriptRunner.h"
#include "storage/IniSections.h"
#include "storage/TemplateText.h"
#include "vbscript/Engine.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <cmath>

namespace {
// Readers may show message boxes; a fuzzer answers them silently.
void quietMessages()
{
    static const bool installed = [] {
        SetMsgBoxHandler([](const QString &, MsgStyle) { return MsgAnswer::Ok; });
        return true;
    }();
    (void)installed;
}

bool readTemplate(const QString &text, colPLControls &layout)
{
    return TemplateFromIni(IniSections(text), layout);
}

bool isUtf16(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}
} // namespace

bool FuzzTemplate(const QByteArray &input)
{
    quietMessages();
    colPLControls layout;
    readTemplate(DecodeText(input), layout);
    // Whatever was read, the writer's file must read again completely.
    const QString written = TemplateToText(layout, QString());
    colPLControls again;
    return readTemplate(DecodeText(EncodeGbk(written)), again) && again.Count() == layout.Count();
}

bool FuzzIni(const QByteArray &input)
{
    quietMessages();
    const IniDocument doc(input);
    // UTF-16 files are decoded as a whole and may hold bytes no text gives back.
    if (!isUtf16(input) && doc.ToBytes() != input)
        return false;
    IniDocument edited(input);
    const QString value = QStringLiteral("\u3000值 =1");
    edited.SetValue(QStringLiteral("MAIN"), QStringLiteral("SELECTFILE"), value);
    edited.SetValue(QStringLiteral("Base"), QStringLiteral("LayoutLeft"), QStringLiteral("2.5"));
    const IniDocument reread(edited.ToBytes());
    return reread.Value(QStringLiteral("main"), QStringLiteral("selectfile")) == value
           && reread.Value(QStringLiteral("BASE"), QStringLiteral("layoutleft")) == QStringLiteral("2.5");
}

bool FuzzBets(const QByteArray &input)
{
    quietMessages();
    QBuffer buffer;
    buffer.setData(input);
    buffer.open(QIODevice::ReadOnly);
    bool wellFormed = true;
    QString joined;
    // Read as the import reads a bet file (encoding sniffing, stray NULs dropped).
    const bool read = ForEachTextLine(buffer, QStringLiteral("fuzz"), [&](QStringView line) {
        for (bool includeIndex : {false, true}) {
            const QString bet = NormalizeLottNumberLine(line.toString(), includeIndex);
            if (bet.startsWith(u' ') || bet.endsWith(u' ') || bet.contains(QStringLiteral("  ")))
                wellFormed = false;
        }
        joined.append(line).append(u"\r\n");
    }, nullptr, TextFileKind::BetFile);
    // The whole text, as a script reads it, is those lines with CR LF after each.
    QString whole;
    buffer.seek(0);
    const bool readWhole = ReadWholeText(buffer, QStringLiteral("fuzz"), &whole, nullptr, TextFileKind::BetFile);
    return wellFormed && readWhole == read && (!read || whole == joined);
}

bool FuzzEval(const QByteArray &input)
{
    quietMessages();
    const QString text = QString::fromUtf8(input);
    // A run-time failure (division by zero, overflow) is raised as VornEvalError for ToNumber to
    // catch; anything else leaving the evaluator is a finding.
    try {
        CEval eval;
        eval.Evaluate(text, 0);
    } catch (const VornEvalError &) {
    }
    try {
        CEval eval;
        const CEval::PostfixResult postfix = eval.ToPostfix(text);
        if (postfix.ok)
            eval.EvaluatePostfix(postfix.postfix);
    } catch (const VornEvalError &) {
    }
    // The conversion every field uses never fails: a text that does not convert gives the default.
    const double a = ToNumber(text, 1.5, 2);
    return std::isfinite(a);
}

bool FuzzScriptParse(const QByteArray &input)
{
    quietMessages();
    vbs::Engine engine;
    engine.compile(DecodeText(input));
    return true;
}

bool FuzzScriptRun(const QByteArray &input)
{
    quietMessages();
    constexpr qint64 kDeadlineMs = 200;
    clsScriptRunner runner;
    runner.setScriptCode(DecodeText(input));
    runner.setTimeLimitMs(kDeadlineMs);
    QElapsedTimer clock;
    clock.start();
    runner.RunScript(QStringLiteral("01 02 03 04 05 06+07\r\n1,2,3\r\n"));
    // A run that outlives its deadline by more than a second is a finding: some work does
    // not look at the clock (the sanitizers make everything slower, hence the wide margin).
    return clock.elapsed() <= kDeadlineMs + 1000;
}

const std::vector<FuzzEntry> &FuzzEntries()
{
    static const std::vector<FuzzEntry> entries = {
        {"template", &FuzzTemplate},         {"ini", &FuzzIni},
        {"bets", &FuzzBets},                 {"eval", &FuzzEval},
        {"script_parse", &FuzzScriptParse}, {"script_run", &FuzzScriptRun},
    };
    return entries;
}

const FuzzEntry *FindFuzzEntry(const QString &name)
{
    for (const FuzzEntry &e : FuzzEntries())
        if (name == QLatin1String(e.name))
            return &e;
    return nullptr;
}

QStringList FuzzSeedFolders(const QString &sourceDir, const QString &name)
{
    QStringList folders{QStringLiteral("fuzz/corpus/") + name};
    QFile list(sourceDir + QStringLiteral("/fuzz/seed-folders.txt"));
    if (list.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : list.readAll().split('\n')) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.size() == 2 && !line.startsWith('#') && parts[0] == name.toUtf8())
                folders << QString::fromUtf8(parts[1]);
        }
    }
    return folders;
}
