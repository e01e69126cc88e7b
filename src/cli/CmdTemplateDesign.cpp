#include "cli/CmdTemplateDesign.h"
#include "common/AtomicFile.h"

#include "canvas/KdPLDesinger.h"
#include "cli/CliShared.h"
#include "common/PathFile.h"
#include "common/ToNumber.h"
#include "dialogs/CanvasSink.h"
#include "dialogs/DialogElements.h"
#include "dialogs/LabelDialog.h"
#include "dialogs/LottNumberDialogs.h"
#include "dialogs/LottPropertyDialog.h"
#include "dialogs/MarkDialogs.h"
#include "print/DocumentSurface.h"
#include "storage/clsPLStoreINI.h"

#include <cmath>
#include <functional>

namespace {
// The template being designed, on a canvas as the designer holds it.
struct Session {
    colPLControls layout;
    KdPLDesinger canvas;
    CanvasSink sink{canvas};
};

// What an action did: a refusal (the dialog's message and field), a usage problem, or the keys
// of the elements it added. `write` is false when there is nothing to write.
struct Outcome {
    DialogCheck check;
    QString usage;
    QStringList keys;
    bool write = true;
};

using ActionRun = std::function<Outcome(Session &, const CliOptions &)>;

struct Action {
    const char *name;
    QStringList valued;
    QStringList flags;
    bool fresh; // starts from a new template instead of reading FILE
    ActionRun run;
};

constexpr double kLabelFontSize = 9;

QString opt(const CliOptions &o, const char *name) { return o.value(QLatin1String(name)); }

// --- template new | properties

struct PropertyOption {
    const char *name;
    QString LottPropertyFields::*field;
};
const PropertyOption kPropertyTexts[] = {
    {"name", &LottPropertyFields::txtLayoutName},
    {"block-width", &LottPropertyFields::txtLottNumberWidth},
    {"block-height", &LottPropertyFields::txtLottNumberHeight},
    {"left", &LottPropertyFields::txtLayoutLeft},
    {"top", &LottPropertyFields::txtLayoutTop},
    {"stakes", &LottPropertyFields::txtStakeCount},
    {"offsets-x", &LottPropertyFields::txtStakeOffsetStrX},
    {"offsets-y", &LottPropertyFields::txtStakeOffsetStrY},
    {"areas", &LottPropertyFields::txtGroupCount},
    {"area-counts", &LottPropertyFields::txtGroupLottNumberCountStr},
    {"backpic", &LottPropertyFields::txtBackPicturePathFile},
    {"backpic-width", &LottPropertyFields::txtBackPictureWidth},
    {"backpic-height", &LottPropertyFields::txtBackPictureHeight},
    {"backpic-left", &LottPropertyFields::txtBackPictureLeft},
    {"backpic-top", &LottPropertyFields::txtBackPictureTop},
};

QStringList propertyOptionNames()
{
    QStringList names{"mark-style", "orientation"};
    for (const PropertyOption &p : kPropertyTexts)
        names << QLatin1String(p.name);
    return names;
}

// A choice between two options: the words or 1/0 (`oneWord` is the word for 1).
bool readChoice(const CliOptions &o, const char *name, const char *oneWord, const char *zeroWord,
                bool *value, QString *usage)
{
    if (!o.has(QLatin1String(name)))
        return true;
    const QString v = opt(o, name).trimmed().toLower();
    if (v == QLatin1String(oneWord) || v == "1")
        *value = true;
    else if (v == QLatin1String(zeroWord) || v == "0")
        *value = false;
    else
        *usage = QStringLiteral("--%1 takes %2 or %3").arg(name, oneWord, zeroWord);
    return usage->isEmpty();
}

Outcome runProperties(Session &s, const CliOptions &o)
{
    Outcome out;
    DocumentSurface vspThis;
    LottPropertyFields f = LoadFromTemplate(s.layout, vspThis, FieldFormat::Exact);
    for (const PropertyOption &p : kPropertyTexts)
        if (o.has(QLatin1String(p.name)))
            f.*p.field = opt(o, p.name);
    if (!readChoice(o, "mark-style", "cross", "block", &f.optMarkCross, &out.usage)
        || !readChoice(o, "orientation", "landscape", "portrait", &f.optLandscape, &out.usage))
        return out;
    out.check = ValidateAllPages(f);
    if (!out.check.passed())
        return out;
    SaveToTemplate(f, s.layout, vspThis);
    ApplyTemplateToCanvas(s.layout, s.canvas);
    return out;
}

// --- number blocks and marks

Outcome fromRun(const DialogRun &run) { return Outcome{run.check, {}, run.addedKeys, true}; }

// Without a window to ask in, blocks that repeat the template's go in only when asked for.
ConfirmDuplicates allowDuplicates(const CliOptions &o)
{
    return [allowed = o.has("allow-duplicates")](int) { return allowed; };
}

Outcome runAddBlock(Session &s, const CliOptions &o)
{
    const AddLottNumberFields f{opt(o, "area"), opt(o, "number"), true, opt(o, "x"), opt(o, "y")};
    return fromRun(RunAddLottNumber(f, s.layout, s.sink, DefaultFontName(), allowDuplicates(o)));
}

Outcome runAddBlocks(Session &s, const CliOptions &o)
{
    const AddBatchLottNumberFields f{opt(o, "area"),  opt(o, "number"), opt(o, "x"),
                                     opt(o, "y"),     o.has("by-area"), opt(o, "step"),
                                     opt(o, "count"), opt(o, "dx"),     opt(o, "dy")};
    return fromRun(RunAddBatchLottNumber(f, s.layout, s.sink, DefaultFontName(), allowDuplicates(o)));
}

Outcome runAddMark(Session &s, const CliOptions &o)
{
    AddMarkFields f;
    f.optPosByInput = true;
    f.txtX = opt(o, "x");
    f.txtY = opt(o, "y");
    f.txtWidth = o.value("width", f.txtWidth);
    f.txtHeight = o.value("height", f.txtHeight);
    return fromRun(RunAddMark(f, s.sink, DefaultFontName()));
}

Outcome runAddMarks(Session &s, const CliOptions &o)
{
    const AddBatchMarkFields f{opt(o, "x"),  opt(o, "y"),  opt(o, "width"), opt(o, "height"),
                               opt(o, "dx"), opt(o, "dy"), opt(o, "count")};
    return fromRun(RunAddBatchMark(f, s.sink, DefaultFontName()));
}

// --- labels and lines: the rectangle stands in for the one drawn with the mouse

// The numbers of the options, in order; false (with the usage problem) when one is missing or
// is no number.
bool readNumbers(const CliOptions &o, const QStringList &names, QList<double> *values, QString *usage)
{
    for (const QString &name : names) {
        const double v = ToNumber(o.value(name), std::nan(""));
        if (!o.has(name) || IsBlankField(o.value(name)) || std::isnan(v)) {
            *usage = QStringLiteral("--%1 needs a number").arg(name);
            return false;
        }
        *values << v;
    }
    return true;
}

// Adds the element as drawn, then keeps it usable on the design area as a drawn one is.
void addDrawn(Session &s, clsPLControl &element, Outcome &out)
{
    out.check = CheckRoomForElements(s.sink, 1, QStringLiteral("txtCount"));
    if (!out.check.passed())
        return;
    if (!s.canvas.AddOneControl(element))
        return;
    s.canvas.UpdateOneControl(element);
    out.keys << element.KeyName();
}

Outcome runAddLabel(Session &s, const CliOptions &o)
{
    Outcome out;
    const QList<std::pair<const char *, LabelOption>> choices = {
        {"page", LabelOption::optPage}, {"stake", LabelOption::optStake},
        {"date", LabelOption::optDateTime}, {"text", LabelOption::optUserDefine}};
    int chosen = 0;
    LabelOption option = LabelOption::optPage;
    for (const auto &[name, value] : choices)
        if (o.has(QLatin1String(name))) {
            ++chosen;
            option = value;
        }
    if (chosen != 1) {
        out.usage = QStringLiteral("add-label takes one of --page, --stake, --date, --text T");
        return out;
    }
    QList<double> r;
    if (!readNumbers(o, {"x", "y", "width", "height"}, &r, &out.usage))
        return out;
    const QString text = LabelTextFor(option, opt(o, "text"));
    if (text.isEmpty()) {
        out.write = false;
        return out;
    }
    clsPLControl label = NewTextLabel(text, DefaultFontName(), kLabelFontSize);
    label.setLeft(r[0]);
    label.setTop(r[1]);
    label.setWidth(r[2]);
    label.setHeight(r[3]);
    addDrawn(s, label, out);
    return out;
}

Outcome runAddLine(Session &s, const CliOptions &o)
{
    Outcome out;
    QList<double> p;
    if (!readNumbers(o, {"x1", "y1", "x2", "y2"}, &p, &out.usage))
        return out;
    clsPLControl line = NewLine();
    line.setLeft(p[0]);
    line.setTop(p[1]);
    line.setWidth(p[2] - p[0]);
    line.setHeight(p[3] - p[1]);
    addDrawn(s, line, out);
    return out;
}

const QList<Action> &actions()
{
    static const QList<Action> list = {
        {"new", propertyOptionNames() << "out", {}, true, runProperties},
        {"properties", propertyOptionNames() << "out", {}, false, runProperties},
        {"add-block", {"area", "number", "x", "y", "out"}, {"allow-duplicates"}, false, runAddBlock},
        {"add-blocks", {"area", "number", "x", "y", "dx", "dy", "step", "count", "out"}, {"by-area", "allow-duplicates"}, false, runAddBlocks},
        {"add-mark", {"x", "y", "width", "height", "out"}, {}, false, runAddMark},
        {"add-marks", {"x", "y", "width", "height", "dx", "dy", "count", "out"}, {}, false, runAddMarks},
        {"add-label", {"text", "x", "y", "width", "height", "out"}, {"page", "stake", "date"}, false, runAddLabel},
        {"add-line", {"x1", "y1", "x2", "y2", "out"}, {}, false, runAddLine},
    };
    return list;
}

int runAction(CliContext &ctx, const CliCommand &command, const Action &action, const QStringList &args)
{
    const CliOptions o = cliParse(args, action.valued, action.flags);
    if (!o.error.isEmpty())
        return cliUsageError(ctx, command, o.error);
    if (o.positional.size() != 1)
        return cliUsageError(ctx, command, QStringLiteral("%1 takes one FILE.tzd").arg(action.name));
    const QString given = o.positional[0];

    Session s;
    if (!action.fresh) {
        if (!CliLoadWholeTemplate(ctx, given, s.layout))
            return ExitFailure;
        s.canvas.AddControls(s.layout);
    }
    const Outcome out = action.run(s, o);
    if (!out.usage.isEmpty())
        return cliUsageError(ctx, command, out.usage);
    if (!out.check.passed()) {
        ctx.err << "message: " << out.check.message << "\nfield: " << out.check.field << "\n";
        return ExitFailure;
    }
    if (!out.write)
        return ExitOk;
    s.canvas.GetAllControls(s.layout);
    const QString target = o.has("out") ? opt(o, "out")
                           : action.fresh ? given
                                          : CliResolveTemplate(given);
    if (!clsPLStoreINI().SaveToINI_Fast(target, s.layout)) {
        ctx.err << LastSaveFailureText() << "\n";
        return ExitFailure;
    }
    for (const QString &key : out.keys)
        ctx.out << key << "\n";
    return ExitOk;
}
} // namespace

QString TemplateDesignUsage()
{
    return QStringLiteral(
        "template new|properties FILE.tzd [--name T] [--mark-style cross|block] [--block-width MM] "
        "[--block-height MM] [--orientation portrait|landscape] [--left MM] [--top MM] [--stakes N] "
        "[--offsets-x LIST] [--offsets-y LIST] [--areas N] [--area-counts LIST] [--backpic FILE] "
        "[--backpic-width MM] [--backpic-height MM] [--backpic-left MM] [--backpic-top MM] [--out FILE] | "
        "template add-block FILE.tzd --area A --number N --x X --y Y [--allow-duplicates] [--out FILE] | "
        "template add-blocks FILE.tzd --area A --number N --x X --y Y --dx DX --dy DY --step S --count C "
        "[--by-area] [--allow-duplicates] [--out FILE] | "
        "template add-mark FILE.tzd --x X --y Y [--width W] [--height H] [--out FILE] | "
        "template add-marks FILE.tzd --x X --y Y --width W --height H --dx DX --dy DY --count C [--out FILE] | "
        "template add-label FILE.tzd (--page|--stake|--date|--text T) --x X --y Y --width W --height H "
        "[--out FILE] | "
        "template add-line FILE.tzd --x1 X --y1 Y --x2 X --y2 Y [--out FILE]");
}

bool RunTemplateDesignAction(CliContext &ctx, const CliCommand &command, const QString &action,
                             const QStringList &args, int *exitCode)
{
    for (const Action &a : actions()) {
        if (action == QLatin1String(a.name)) {
            *exitCode = runAction(ctx, command, a, args);
            return true;
        }
    }
    return false;
}
