// vornprn-cli printer: the offsets each printer adds to a template's, read and set.
#include "app/PrinterOffsets.h"
#include "cli/CliCommand.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"
#include "print/printer/PrinterList.h"

namespace {
int runPrinter(CliContext &ctx);

const CliCommand kCommand{
    QStringLiteral("printer"),
    QStringLiteral("printer list | printer set NAME [--left MM] [--top MM]"),
    QStringLiteral("list the printers with their offsets, or store a printer's offset"),
    &runPrinter, 65};
const CliRegistrar reg(kCommand);

int listPrinters(CliContext &ctx)
{
    for (const QString &name : PrinterList()) {
        const PrinterOffset offset = ReadPrinterOffset(name);
        ctx.out << name << '\t' << GeneralDouble(offset.left) << '\t' << GeneralDouble(offset.top) << '\n';
    }
    return ExitOk;
}

int setPrinter(CliContext &ctx, const CliOptions &o)
{
    if (o.positional.size() != 2 || o.positional[1].trimmed().isEmpty())
        return cliUsageError(ctx, kCommand, QStringLiteral("printer set takes one printer name"));
    if (!o.has("left") && !o.has("top"))
        return cliUsageError(ctx, kCommand, QStringLiteral("give --left, --top or both"));
    const QString name = o.positional[1];
    PrinterOffset offset = ReadPrinterOffset(name);
    // The offset boxes' check: a number or an arithmetic expression; what is left out stays.
    for (const auto &[option, value] : {std::pair{"left", &offset.left}, std::pair{"top", &offset.top}}) {
        if (!o.has(option))
            continue;
        const QString typed = o.value(option);
        if (!ConvertsToNumber(typed)) {
            ctx.err << InvalidValueMessage() << '\n';
            return ExitFailure;
        }
        *value = ToNumber(typed, 0);
    }
    if (!SavePrinterOffset(name, offset)) {
        ctx.err << "vornprn-cli printer: the settings could not be written\n";
        return ExitFailure;
    }
    return ExitOk;
}

int runPrinter(CliContext &ctx)
{
    const CliOptions o = cliParse(ctx.args, {"left", "top"}, {});
    if (!o.error.isEmpty())
        return cliUsageError(ctx, kCommand, o.error);
    const QString action = o.positional.value(0);
    if (action == QLatin1String("list") && o.positional.size() == 1 && o.values.isEmpty())
        return listPrinters(ctx);
    if (action == QLatin1String("set"))
        return setPrinter(ctx, o);
    return cliUsageError(ctx, kCommand, QStringLiteral("give list or set"));
}
} // namespace
