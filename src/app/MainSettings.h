#pragma once
// The print options the main window remembers in the "MAIN" section of "Vorn.cfg".
#include <QString>

struct MainSettings {
    enum Range { RangeAll = 1, RangeByPage = 2, RangeByStake = 3 };

    int markGray = 100;          // slider 0..100
    bool printMark = false;
    bool printText = true;
    QString pauseText = "200";   // the boxes keep what the user typed
    Range range = RangeAll;
    QString paperStart = "1", paperEnd = "1";
    QString lottNumberStart = "1", lottNumberEnd = "5";
    QString selectFile = QStringLiteral("陕西－双色球.tzd");

    // Reads every key in table order; a missing file or key gives the defaults.
    static MainSettings Load(const QString &settingsFile);
    // Writes every key in table order; false when a write failed.
    bool Save(const QString &settingsFile) const;
};
