#include "app/MainSettings.h"
#include "common/Blanks.h"
#include "common/Conversions.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"
#include "common/clsIniFile.h"

#include <algorithm>

namespace {
const QString kSection = QStringLiteral("MAIN");

// A text that is neither a number nor a readable expression - an empty one included - loads
// as the key's default.
double wholeNumber(const QString &text, double def)
{
    return TrimBlanks(text).isEmpty() ? def : ToNumber(text, def, 0);
}

// A whole number as the boxes show it after loading.
QString wholeText(const QString &text, double def)
{
    return GeneralDouble(wholeNumber(text, def));
}
} // namespace

MainSettings MainSettings::Load(const QString &settingsFile)
{
    clsIniFile ini;
    ini.setFileName(settingsFile);
    auto read = [&](const char *key, const QString &def) {
        return ini.ReadString(kSection, QString::fromLatin1(key), def, 2000);
    };
    MainSettings s;
    s.markGray = std::clamp(int(wholeNumber(read("MARKGRAY", "100"), 100)), 0, 100);
    s.printMark = read("PRINTMARK", "0") == QLatin1String("1");
    s.printText = read("PRINTTEXT", "1") == QLatin1String("1");
    s.pauseText = wholeText(read("PRINT_PAUSE_ON", "200"), 200);
    const QString range = read("PRINTRANGE", "1");
    s.range = range == QLatin1String("1") ? RangeAll
              : range == QLatin1String("2") ? RangeByPage : RangeByStake;
    s.paperStart = wholeText(read("PAPERSTART", "1"), 0);
    s.paperEnd = wholeText(read("PAPEREND", "1"), 0);
    s.lottNumberStart = wholeText(read("LOTTNUMBERSTART", "1"), 0);
    s.lottNumberEnd = wholeText(read("LOTTNUMBEREND", "5"), 0);
    s.selectFile = read("SELECTFILE", QStringLiteral("陕西－双色球.tzd"));
    return s;
}

bool MainSettings::Save(const QString &settingsFile) const
{
    clsIniFile ini;
    ini.setFileName(settingsFile);
    // One write for every key: a failed save leaves the whole file as it was.
    return ini.WriteStrings(
        kSection, {{QStringLiteral("MARKGRAY"), VbFormatNumber(markGray, QStringLiteral("####0"))},
                   {QStringLiteral("PRINTMARK"), printMark ? QStringLiteral("1") : QStringLiteral("0")},
                   {QStringLiteral("PRINTTEXT"), printText ? QStringLiteral("1") : QStringLiteral("0")},
                   {QStringLiteral("PRINT_PAUSE_ON"), pauseText},
                   {QStringLiteral("PRINTRANGE"), QString::number(int(range))},
                   {QStringLiteral("PAPERSTART"), paperStart},
                   {QStringLiteral("PAPEREND"), paperEnd},
                   {QStringLiteral("LOTTNUMBERSTART"), lottNumberStart},
                   {QStringLiteral("LOTTNUMBEREND"), lottNumberEnd},
                   {QStringLiteral("SELECTFILE"), selectFile}});
}
