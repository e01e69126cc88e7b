#include "app/PrintJob.h"
#include "common/Conversions.h"
#include "common/FormatMsg.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"
#include "input/BetList.h"
#include "input/StakeCheck.h"
#include "model/colPLControls.h"
#include "print/DocumentSurface.h"
#include "print/MarkColor.h"
#include "print/TemplateCheck.h"
#include "print/clsPLPrint.h"
#include "storage/clsPLStoreINI.h"
#include "storage/WholeTemplate.h"

#include <QFileInfo>

#include <limits>

namespace {

// A range box: the numeric conversion, then a whole number with halves to even.
double rangeNumber(const QString &text) { return RoundHalfEven(ToNumber(text, 0)); }

// The range box's number, held to 32 bits.
qint64 rangeValue(const QString &text)
{
    const double v = rangeNumber(text);
    if (v > double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (v < double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint64(v);
}

// The range boxes in use hold a whole number beyond 32 bits.
bool rangeOverflows(const PrintJobOptions &o)
{
    auto overflows = [](const QString &text) {
        const double v = rangeNumber(text);
        return !(v >= double(std::numeric_limits<qint32>::min())
                 && v <= double(std::numeric_limits<qint32>::max()));
    };
    switch (o.range) {
    case MainSettings::RangeByPage: return overflows(o.paperStart) || overflows(o.paperEnd);
    case MainSettings::RangeByStake: return overflows(o.lottNumberStart) || overflows(o.lottNumberEnd);
    case MainSettings::RangeAll: break;
    }
    return false;
}

// How many stake indexes the question before a faulty job names.
constexpr int kNamedFaultyStakes = 5;

// The stake index, as the list shows it, of entry `entry` (1-based).
qint64 StakeIndexOfEntry(const BetList &bets, qint64 entry)
{
    return bets.StakeIndexNumber(int(entry - 1));
}

// Asks about the stakes of entries first .. last that would not print right; true to go on.
bool ConfirmFaultyStakes(const BetList &bets, const colPLControls &layout, const StakeRange &range,
                         const PrintJobCallbacks &cb)
{
    if (!cb.confirmFaultyStakes || range.last < range.first)
        return true;
    const StakeChecker checker(layout);
    qint64 faulty = 0;
    QList<qint64> named;
    for (qint64 entry = range.first; entry <= range.last; ++entry) {
        if (checker.Check(bets.BetLineView(int(entry - 1))).isEmpty())
            continue;
        if (++faulty <= kNamedFaultyStakes)
            named << StakeIndexOfEntry(bets, entry);
    }
    return faulty == 0 || cb.confirmFaultyStakes(FaultyStakesQuestion(faulty, named));
}

bool ConfirmTemplateFindings(const colPLControls &layout, const PrintJobCallbacks &cb)
{
    if (!cb.confirmTemplateFindings)
        return true;
    const std::vector<TemplateFinding> findings = CheckTemplate(layout);
    return findings.empty() || cb.confirmTemplateFindings(TemplateFindingsQuestion(findings));
}

} // namespace

QString TemplateFindingsQuestion(const std::vector<TemplateFinding> &findings)
{
    return FormatMsg("", QStringLiteral("模板有 {1} 处问题（{2}），是否继续打印？"),
                     {qint64(findings.size()), FirstFindingText(findings)});
}

QString PrintJobInputProblem(const PrintJobOptions &o)
{
    QStringList typed{o.pause};
    if (!o.useTemplateLayout)
        typed << o.layoutLeft << o.layoutTop;
    if (o.range == MainSettings::RangeByPage)
        typed << o.paperStart << o.paperEnd;
    else if (o.range == MainSettings::RangeByStake)
        typed << o.lottNumberStart << o.lottNumberEnd;
    for (const QString &text : typed)
        if (!ConvertsToNumber(text))
            return InvalidValueMessage();
    return QString();
}

QString FaultyStakesQuestion(qint64 faulty, const QList<qint64> &firstIndexes)
{
    QStringList indexes;
    for (qint64 i : firstIndexes)
        indexes << QString::number(i);
    return FormatMsg("1", QStringLiteral("有 {1} 注号码不能正确打印（第 {2} 注等），是否继续打印？"),
                      {faulty, indexes.join(QStringLiteral("、"))});
}

StakeRange ResolveStakeRange(const PrintJobOptions &o, qint64 count, qint64 perTicket)
{
    StakeRange r;
    switch (o.range) {
    case MainSettings::RangeAll:
        r.first = 1;
        r.last = count;
        break;
    case MainSettings::RangeByPage:
        r.first = (rangeValue(o.paperStart) - 1) * perTicket + 1;
        r.last = rangeValue(o.paperEnd) * perTicket;
        break;
    case MainSettings::RangeByStake:
        r.first = rangeValue(o.lottNumberStart);
        r.last = rangeValue(o.lottNumberEnd);
        break;
    }
    if (r.first < 1)
        r.first = 1;
    if (r.last > count)
        r.last = count;
    if (r.last < r.first)
        r.last = r.first - 1;
    return r;
}

void ApplyJobLayout(colPLControls &layout, const PrintJobOptions &o)
{
    if (o.useTemplateLayout)
        return;
    layout.setLayoutLeft(ToNumber(o.layoutLeft, 0));
    layout.setLayoutTop(ToNumber(o.layoutTop, 0));
    layout.setPaperOrientation(o.landscape ? 1 : 0);
}

PrintJobOutcome PrintLottNumbers(const BetList &bets, const PrintJobOptions &o,
                                 const PrintJobCallbacks &cb)
{
    PrintJobOutcome out;
    auto message = [&](const QString &text, MsgStyle style) {
        return cb.message ? cb.message(text, style) : MsgBox(text, style);
    };

    if (bets.Count() == 0) {
        message(FormatMsg("1", QStringLiteral("没有投注数据，请先导入投注数据！")), MsgStyle::Information);
        return out;
    }
    // What the boxes show is what the job uses: a value that is not a number is refused, not
    // replaced by a default the user never saw.
    if (const QString problem = PrintJobInputProblem(o); !problem.isEmpty()) {
        message(problem, MsgStyle::Information);
        return out;
    }
    // A pause below one ticket can never form a batch: refuse it before laying anything out.
    const qint32 pause = ToLong(o.pause, 200);
    if (pause < 1) {
        message(FormatMsg("1", QStringLiteral("每多少页暂停的值必须是大于 0 的整数！当前值为：{1}"),
                          {o.pause}),
                MsgStyle::Exclamation);
        return out;
    }
    if (rangeOverflows(o)) {
        message(QStringLiteral("溢出"), MsgStyle::Plain);
        return out;
    }

    clsPLPrint engine;
    engine.setIsPrintBackPic(false);
    engine.setIsPrintMark(o.printMark);
    engine.setIsPrintText(o.printText);

    colPLControls layout;
    QString damage;
    // Refused as the command line refuses it: thousands of slips would carry the missing blocks.
    if (!LoadWholeTemplate(o.templatePath, layout, &damage)) {
        message(TemplateUnopenedText(o.templatePath, damage), MsgStyle::Exclamation);
        out.refused = true;
        return out;
    }

    ApplyJobLayout(layout, o);

    const qint64 perTicket = layout.StakeCountPerTicket();
    const StakeRange range = ResolveStakeRange(o, bets.Count(), perTicket);
    const qint64 n = range.last - range.first + 1;
    if (!ConfirmTemplateFindings(layout, cb) || !ConfirmFaultyStakes(bets, layout, range, cb))
        return out;
    out.started = true;
    out.firstStake = range.first;
    out.lastStake = range.last;
    out.orientation = layout.PaperOrientation();
    out.layoutLeft = layout.LayoutLeft();
    out.layoutTop = layout.LayoutTop();
    ApplyPrinterOffset(layout, o.printerOffset);

    if (n > 0 && perTicket < 1) {
        message(FormatMsg("1", QStringLiteral("投注单模板 {1} 中每张彩票的注数为 0，无法打印！"),
                          {o.templatePath}),
                MsgStyle::Exclamation);
        out.refused = true;
        return out;
    }
    // The product must fit in 32 bits, as every stake count of the program does.
    const qint64 perBatch = qint64(pause) * perTicket;
    if (perBatch > std::numeric_limits<qint32>::max()) {
        message(QStringLiteral("溢出"), MsgStyle::Plain);
        out.refused = true;
        return out;
    }

    SetMarkColor(o.markColor);
    DocumentSurface surface;
    qint64 b = 1;
    // A stake that stops the layout is named as the list shows it: line `line` (1-based) of the
    // batch that starts at job entry b.
    const auto stakeIndexOfLine = [&](qint64 line) {
        return StakeIndexOfEntry(bets, range.first + b - 1 + line - 1);
    };
    engine.setStakeIndexOf(stakeIndexOfLine);
    for (; b <= n; b += perBatch) {
        const qint64 count = b + perBatch > n ? n - b + 1 : perBatch;
        const QStringList lines = bets.StakeLines(int(range.first + b - 1), int(range.first + b + count - 2));
        engine.SetPrinterPageByLayout(surface, layout);
        const bool laidOut = engine.PrintPLWithDatas(layout, lines, surface, true, qint32(range.first + b - 1));
        if (cb.progress)
            cb.progress(b + count - 1, n);

        const QString caption = FormatMsg("1", QStringLiteral("每次打印{1}页[第 {2} ～ {3} 注]"),
                                          {pause, range.first + b - 1, range.first + b + count - 2});
        PrintDocument batch = surface.TakeDocument();
        ++out.batches;
        if (!cb.showBatch || !cb.showBatch(batch, caption))
            return out;

        if (!laidOut && engine.StoppedAtLine() > 0) {
            // The stakes after the one that stopped the layout were never laid out: say where
            // the job stopped instead of reporting them printed.
            const qint64 line = engine.StoppedAtLine();
            out.stoppedAtStake = stakeIndexOfLine(line);
            QString reason = StakeChecker(layout).Check(lines[line]);
            if (reason.isEmpty())
                reason = QStringLiteral("下标越界");
            message(FormatMsg("1", QStringLiteral("打印在第 {1} 注停止：{2}"), {out.stoppedAtStake, reason}),
                    MsgStyle::Exclamation);
            return out;
        }
        if (b + perBatch > n) {
            message(FormatMsg("1", QStringLiteral("所有投注单打印完毕， 注数从 {1} ～ {2} 共 {3} 注。"),
                              {range.first, range.first + n - 1, n}),
                    MsgStyle::InformationOkCancel);
            out.completed = true;
            return out;
        }
        const MsgAnswer go = message(
            FormatMsg("1", QStringLiteral("第 {1} ～ {2} 注打印完毕, 要继续打印请按[确定]按钮。"),
                      {range.first + b - 1, range.first + b + count - 2}),
            MsgStyle::OkCancel);
        if (go != MsgAnswer::Ok)
            return out;
    }
    // An empty range lays out nothing and says nothing.
    out.completed = n <= 0;
    return out;
}
