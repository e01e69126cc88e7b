#include "app/StartupRequest.h"

#include <gtest/gtest.h>

TEST(StartupRequest, TheCommandLineSaysWhatToOpenAndWhetherToHandItOver)
{
    struct Case {
        QStringList args;
        StartupRequest::Kind kind;
        const char *file;
        bool handsOff;
        bool template_;
    };
    const std::vector<Case> cases = {
        {{}, StartupRequest::Main, "", false, false},
        {{"bets.txt"}, StartupRequest::Main, "bets.txt", true, false},
        {{"/home/u/新 模板.TZD"}, StartupRequest::Main, "/home/u/新 模板.TZD", true, true},
        {{"/home/u/新", "模板.tzd"}, StartupRequest::Main, "/home/u/新 模板.tzd", true, true},
        {{"  "}, StartupRequest::Main, "", false, false},
        {{"--design"}, StartupRequest::Design, "", false, false},
        {{"--design", "福彩3D.tzd"}, StartupRequest::Design, "福彩3D.tzd", false, true},
        {{"--help"}, StartupRequest::Help, "", false, false},
        {{"-h", "x.tzd"}, StartupRequest::Help, "", false, false},
        {{"--version"}, StartupRequest::Version, "", false, false},
        {{"x.tzd", "--design"}, StartupRequest::Main, "x.tzd --design", true, false},
    };
    for (const Case &c : cases) {
        const StartupRequest r = ParseStartup(c.args);
        const QString what = c.args.join('|');
        EXPECT_EQ(r.kind, c.kind) << what.toStdString();
        EXPECT_EQ(r.file, QString::fromUtf8(c.file)) << what.toStdString();
        EXPECT_EQ(r.HandsOff(), c.handsOff) << what.toStdString();
        EXPECT_EQ(r.OpensTemplate(), c.template_) << what.toStdString();
    }
}
