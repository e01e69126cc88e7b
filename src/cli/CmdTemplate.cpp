// vornprn-cli template: show a template file as JSON, save it again with the full writer, or
// make the layout-only update.
#include "cli/CliShared.h"
#include "cli/CmdTemplateDesign.h"
#include "cli/CmdTemplateDetect.h"
#include "common/AtomicFile.h"
#include "common/FormatMsg.h"
#include "common/MsgBox.h"
#include "common/VbFormat.h"
#include "model/ElementFields.h"
#include "model/colPLControls.h"
#include "print/TemplateCheck.h"
#include "storage/StrictConvert.h"
#include "storage/clsPLStoreINI.h"
#include "storage/WholeTemplate.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
int runTemplate(CliContext &ctx);

const CliCommand kCommand{
    QStringLiteral("template"),
    QStringLiteral("template show FILE.tzd | template save IN.tzd OUT.tzd | "
                   "template set-layout FILE.tzd --left MM --top MM --orientation 0|1 | "
                   "template check FILE.tzd | ")
        + TemplateDesignUsage() + QStringLiteral(" | ") + TemplateDetectUsage(),
    QStringLiteral("show a slip template as JSON, write it again, change its layout offset, or design one"),
    &runTemplate, 30};
const CliRegistrar reg(kCommand);

// Single-precision values as the file writes them, so 0.1 shows as 0.1.
double single(float v) { return GeneralSingle(v).toDouble(); }

QJsonObject baseJson(const colPLControls &t)
{
    QJsonObject o;
    o["PackNameNoUse"] = t.PackNameNoUse();
    o["LayoutName"] = t.LayoutName();
    o["PaperWidth"] = single(t.PaperWidth());
    o["PaperHeight"] = single(t.PaperHeight());
    o["PaperMarginLeft"] = single(t.PaperMarginLeft());
    o["PaperMarginRight"] = single(t.PaperMarginRight());
    o["PaperMarginTop"] = single(t.PaperMarginTop());
    o["PaperMarginBottom"] = single(t.PaperMarginBottom());
    o["PaperColumns"] = t.PaperColumns();
    o["PaperColumnSpace"] = t.PaperColumnSpace();
    o["PaperRows"] = t.PaperRows();
    o["PaperRowSpace"] = t.PaperRowSpace();
    o["PaperHeaderText"] = t.PaperHeaderText();
    o["PaperFooterText"] = t.PaperFooterText();
    o["PaperOrientation"] = t.PaperOrientation();
    o["IsPrintBodyLine"] = t.IsPrintBodyLine();
    o["PaperSize"] = t.PaperSize();
    o["PathFile"] = t.PathFile();
    o["LottNumberWidth"] = t.LottNumberWidth();
    o["LottNumberHeight"] = t.LottNumberHeight();
    o["StakeLocateOffsetStrX"] = t.StakeLocateOffsetStrX();
    o["StakeLocateOffsetStrY"] = t.StakeLocateOffsetStrY();
    o["StakeCountPerTicket"] = t.StakeCountPerTicket();
    o["GroupLottNumberCountStr"] = t.GroupLottNumberCountStr();
    o["BackPicPathFile"] = t.BackPicPathFile();
    o["BackPicLeft"] = t.BackPicLeft();
    o["BackPicTop"] = t.BackPicTop();
    o["BackPicWidth"] = t.BackPicWidth();
    o["BackPicHeight"] = t.BackPicHeight();
    o["GroupCount"] = t.GroupCount();
    o["LayoutLeft"] = t.LayoutLeft();
    o["LayoutTop"] = t.LayoutTop();
    o["MarkStyle"] = t.MarkStyle();
    return o;
}

QJsonObject elementJson(const clsPLControl &c)
{
    QJsonObject o;
    for (const ElementField &f : ElementFields()) {
        const QString name = QLatin1String(f.Name);
        switch (f.Type) {
        case ElementFieldType::Text: o[name] = (c.*f.GetText)(); break;
        case ElementFieldType::Double: o[name] = (c.*f.GetDouble)(); break;
        case ElementFieldType::Int32: o[name] = (c.*f.GetInt32)(); break;
        case ElementFieldType::Bool: o[name] = (c.*f.GetBool)(); break;
        }
    }
    return o;
}

bool fileExists(CliContext &ctx, const QString &given, const QString &path)
{
    if (QFileInfo(path).isFile())
        return true;
    ctx.err << "vornprn-cli: no template file " << given << "\n";
    return false;
}

int show(CliContext &ctx, const QStringList &args)
{
    if (args.size() != 1)
        return cliUsageError(ctx, kCommand, QStringLiteral("show takes one FILE.tzd"));
    const QString path = CliResolveTemplate(args[0]);
    if (!fileExists(ctx, args[0], path))
        return ExitFailure;
    colPLControls t;
    QString reason;
    const bool loaded = clsPLStoreINI().LoadFromINI(path, t, &reason);
    QJsonArray controls;
    for (const clsPLControl &c : t)
        controls.append(elementJson(c));
    QJsonObject root;
    root["loaded"] = loaded;
    if (!loaded)
        root["reason"] = reason;
    root["base"] = baseJson(t);
    root["controls"] = controls;
    ctx.out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
    return ExitOk;
}

int save(CliContext &ctx, const QStringList &args)
{
    if (args.size() != 2)
        return cliUsageError(ctx, kCommand, QStringLiteral("save takes IN.tzd and OUT.tzd"));
    const QString in = CliResolveTemplate(args[0]);
    if (!fileExists(ctx, args[0], in))
        return ExitFailure;
    colPLControls t;
    if (!clsPLStoreINI().LoadFromINI(in, t)) {
        MsgBox(TemplateUnopenedText(in), MsgStyle::Plain);
        return ExitFailure;
    }
    if (!clsPLStoreINI().SaveToINI_Fast(args[1], t)) {
        ctx.err << LastSaveFailureText() << "\n";
        return ExitFailure;
    }
    return ExitOk;
}

// One line per finding of the template check, KEY<TAB>REASON; exit 1 when there is any, 2 when the
// template cannot be read.
int check(CliContext &ctx, const QStringList &args)
{
    if (args.size() != 1)
        return cliUsageError(ctx, kCommand, QStringLiteral("check takes one FILE.tzd"));
    const QString path = CliResolveTemplate(args[0]);
    colPLControls t;
    if (!LoadWholeTemplate(path, t)) {
        MsgBox(TemplateUnopenedText(path), MsgStyle::Plain);
        return ExitUsage;
    }
    const std::vector<TemplateFinding> findings = CheckTemplate(t);
    for (const TemplateFinding &f : findings)
        ctx.out << f.key << '\t' << f.reason << '\n';
    return findings.empty() ? ExitOk : ExitFailure;
}

int setLayout(CliContext &ctx, const QStringList &args)
{
    const CliOptions o = cliParse(args, {"left", "top", "orientation"}, {});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, kCommand, o.error);
    if (o.positional.size() != 1)
        return cliUsageError(ctx, kCommand, QStringLiteral("set-layout takes one FILE.tzd"));
    for (const char *name : {"left", "top", "orientation"})
        if (!o.has(name))
            return cliUsageError(ctx, kCommand, QStringLiteral("missing --%1").arg(name));
    double left = 0, top = 0;
    if (!StrictDouble(o.value("left"), &left) || !StrictDouble(o.value("top"), &top))
        return cliUsageError(ctx, kCommand, QStringLiteral("--left and --top need numbers"));
    const QString orientation = o.value("orientation").trimmed();
    if (orientation != "0" && orientation != "1")
        return cliUsageError(ctx, kCommand, QStringLiteral("--orientation takes 0 or 1"));

    colPLControls t;
    t.setLayoutLeft(left);
    t.setLayoutTop(top);
    t.setPaperOrientation(orientation.toInt());
    const QString path = CliResolveTemplate(o.positional[0]);
    if (!clsPLStoreINI().SaveToINI_LayoutSettingOnly(path, t)) {
        ctx.err << LastSaveFailureText() << "\n";
        return ExitFailure;
    }
    return ExitOk;
}

int runTemplate(CliContext &ctx)
{
    if (ctx.args.isEmpty())
        return cliUsageError(ctx, kCommand, QStringLiteral("missing show, save or set-layout"));
    const QString action = ctx.args.first();
    const QStringList rest = ctx.args.mid(1);
    if (action == "show" || action == "save" || action == "check") {
        const CliOptions o = cliParse(rest, {}, {});
        if (!o.error.isEmpty())
            return cliUsageError(ctx, kCommand, o.error);
        if (action == "check")
            return check(ctx, o.positional);
        return action == "show" ? show(ctx, o.positional) : save(ctx, o.positional);
    }
    if (action == "set-layout")
        return setLayout(ctx, rest);
    if (int rc = ExitOk; RunTemplateDetectAction(ctx, kCommand, action, rest, &rc))
        return rc;
    if (int rc = ExitOk; RunTemplateDesignAction(ctx, kCommand, action, rest, &rc))
        return rc;
    return cliUsageError(ctx, kCommand, QStringLiteral("unknown action '%1'").arg(action));
}
} // namespace
