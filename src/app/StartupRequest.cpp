#include "app/StartupRequest.h"
#include "common/Blanks.h"

StartupRequest ParseStartup(const QStringList &args)
{
    StartupRequest r;
    if (args.isEmpty())
        return r;
    const QString &first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        r.kind = StartupRequest::Help;
    } else if (first == QLatin1String("--version")) {
        r.kind = StartupRequest::Version;
    } else if (first == QLatin1String("--design")) {
        r.kind = StartupRequest::Design;
        r.file = TrimBlanks(args.mid(1).join(QLatin1Char(' ')));
    } else {
        r.file = TrimBlanks(args.join(QLatin1Char(' ')));
    }
    return r;
}

QString StartupUsage()
{
    return QStringLiteral(
        "usage: VornPrn [FILE]\n"
        "       VornPrn --design [TEMPLATE.tzd]\n"
        "       VornPrn --help | --version\n"
        "\n"
        "VornPrn prints lottery bets onto pre-printed betting slips: pick a slip template,\n"
        "import the bets, check the preview and print.\n"
        "\n"
        "  FILE                 a bet file (.txt) is imported into the bet list; a slip\n"
        "                       template (.tzd) is selected, after it is copied into the\n"
        "                       template folder when it lies elsewhere. While VornPrn runs,\n"
        "                       the file is handed to its window instead of opening another.\n"
        "  --design [TEMPLATE]  opens the template designer alone, on TEMPLATE (a bare name is\n"
        "                       looked up in the template folder) or on a new template\n"
        "  --help               shows this text\n"
        "  --version            shows the version\n"
        "\n"
        "Folders: run from a folder of its own, VornPrn keeps templates (投注单文件/), scripts\n"
        "(Script/) and settings (Vorn.cfg) next to the program. Installed, it reads the shipped\n"
        "ones from share/vornprn/ and keeps the user's own in ~/.local/share/VornPrn/ and the\n"
        "settings in ~/.config/VornPrn/.\n");
}
