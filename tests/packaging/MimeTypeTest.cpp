// The installed file type: the desktop knows a slip template by its name and, renamed, by its
// first section. The MIME database is only the installed vornprn.xml (made into a database by
// update-mime-database), so nothing installed on the machine answers for it.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
const QString kTemplateType = QStringLiteral("application/x-vornprn-template");

void copyAs(const QString &from, const QString &to)
{
    QFile::remove(to);
    ASSERT_TRUE(QFile::copy(from, to)) << from.toStdString();
}
} // namespace

TEST(InstalledMimeType, ATemplateIsKnownByItsNameAndByItsFirstSection)
{
    const QString prefix = QStringLiteral(VORN_INSTALL_PREFIX); // installed by packaging.install
    const QString data = makeTempDir();
    QDir().mkpath(data + "/mime/packages");
    copyAs(prefix + "/share/mime/packages/vornprn.xml", data + "/mime/packages/vornprn.xml");
    QProcess update;
    update.start("update-mime-database", {data + "/mime"});
    ASSERT_TRUE(update.waitForFinished(60000));
    ASSERT_EQ(update.exitCode(), 0) << update.readAllStandardError().toStdString();
    // Before the first use of the database in this program.
    qputenv("XDG_DATA_DIRS", data.toUtf8());
    qputenv("XDG_DATA_HOME", (makeTempDir() + "/empty").toUtf8());

    const QString files = makeTempDir() + "/";
    const QString shipped = prefix + "/share/vornprn/投注单文件/";
    struct Case {
        QString from, as;
        bool isTemplate;
    };
    const std::vector<Case> cases = {
        {shipped + "福彩3D.tzd", "福彩3D.tzd", true},
        {shipped + "陕西－双色球.tzd", "renamed copy", true},
        {shipped + "七乐彩.tzd", "slip.dat", true},
        {sourceDir() + "/samples/福彩3D.txt", "bets without a name", false},
        {shipped + "福彩3D.bmp", "picture", false},
    };
    QMimeDatabase db;
    ASSERT_TRUE(db.mimeTypeForName(kTemplateType).isValid());
    for (const Case &c : cases) {
        copyAs(c.from, files + c.as);
        const QMimeType type = db.mimeTypeForFile(files + c.as);
        EXPECT_EQ(type.name() == kTemplateType, c.isTemplate)
            << c.as.toStdString() << ": " << type.name().toStdString();
    }
    EXPECT_EQ(db.mimeTypeForName(kTemplateType).globPatterns(), QStringList({"*.tzd"}));
}
