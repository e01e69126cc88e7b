#include "PrivateCupsScheduler.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char *const kCupsd = "/usr/sbin/cupsd";
const char *const kPdfFilter = "/usr/lib/cups/filter/pdftopdf";

// A PDF printer: jobs go through the spooler's pdftopdf filter and leave as PDF, on any paper
// (custom sizes included) with no unprintable margin.
const char *const kPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "VORNPDF.PPD"
*Manufacturer: "VornPrn"
*Product: "(VornPrn PDF test queue)"
*ModelName: "VornPrn PDF test queue"
*ShortNickName: "VornPrn PDF test queue"
*NickName: "VornPrn PDF test queue"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*HWMargins: 0 0 0 0
*VariablePaperSize: True
*MaxMediaWidth: "100000"
*MaxMediaHeight: "100000"
*NonUIOrderDependency: 100 AnySetup *CustomPageSize
*CustomPageSize True: "pop pop pop <</PageSize [ 5 -2 roll ] /ImagingBBox null>>setpagedevice"
*ParamCustomPageSize Width: 1 points 36 100000
*ParamCustomPageSize Height: 2 points 36 100000
*ParamCustomPageSize Orientation: 3 int 0 3
*ParamCustomPageSize WidthOffset: 4 points 0 0
*ParamCustomPageSize HeightOffset: 5 points 0 0
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595.276 841.89]/ImagingBBox null>>setpagedevice"
*PageSize A5/A5: "<</PageSize[419.528 595.276]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595.276 841.89]/ImagingBBox null>>setpagedevice"
*PageRegion A5/A5: "<</PageSize[419.528 595.276]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595.276 841.89"
*ImageableArea A5/A5: "0 0 419.528 595.276"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595.276 841.89"
*PaperDimension A5/A5: "419.528 595.276"
)ppd";

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
} // namespace

PrivateCupsScheduler::PrivateCupsScheduler() : m_folder(makeTempDir()) {}

PrivateCupsScheduler::~PrivateCupsScheduler()
{
    if (m_cupsd.state() == QProcess::NotRunning)
        return;
    m_cupsd.terminate();
    if (!m_cupsd.waitForFinished(10000)) {
        m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
    }
}

bool PrivateCupsScheduler::writeConfiguration(QString *whyNot)
{
    // Run as root, the scheduler starts its filters as an unprivileged user, who must reach
    // the spool through the folder.
    ::chmod(QFile::encodeName(m_folder).constData(), 0755);
    for (const char *sub : {"spool", "spool/tmp", "cache", "state", "log", "ppd"})
        QDir().mkpath(m_folder + "/" + sub);
    ::chmod(QFile::encodeName(m_folder + "/spool/tmp").constData(), 01777);
    const QString f = m_folder;
    QByteArray cupsd = "Listen " + Socket().toUtf8() + "\n"
                       "LogLevel debug\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                       "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                       "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                       "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    QByteArray files = "FileDevice Yes\n"
                       "ServerRoot " + f.toUtf8() + "\n"
                       "RequestRoot " + f.toUtf8() + "/spool\n"
                       "TempDir " + f.toUtf8() + "/spool/tmp\n"
                       "CacheDir " + f.toUtf8() + "/cache\n"
                       "StateDir " + f.toUtf8() + "/state\n"
                       "Printcap " + f.toUtf8() + "/printcap\n"
                       "ErrorLog " + f.toUtf8() + "/log/error_log\n"
                       "AccessLog " + f.toUtf8() + "/log/access_log\n"
                       "PageLog " + f.toUtf8() + "/log/page_log\n";
    if (geteuid() != 0) {
        // Not root: the scheduler and its filters run as this user.
        const passwd *pw = getpwuid(geteuid());
        const group *gr = getgrgid(getegid());
        if (pw && gr)
            files += "User " + QByteArray(pw->pw_name) + "\nGroup " + QByteArray(gr->gr_name)
                     + "\nSystemGroup " + QByteArray(gr->gr_name) + "\n";
    }
    if (!writeFile(f + "/cupsd.conf", cupsd) || !writeFile(f + "/cups-files.conf", files)
        || !writeFile(f + "/vornpdf.ppd", kPpd)) {
        *whyNot = "cannot write the scheduler's configuration in " + f;
        return false;
    }
    return true;
}

bool PrivateCupsScheduler::Start(QString *whyNot)
{
    if (!QFileInfo(kCupsd).isExecutable()) {
        *whyNot = QStringLiteral("no CUPS scheduler (%1; Debian package cups)").arg(kCupsd);
        return false;
    }
    if (!QFileInfo(kPdfFilter).isExecutable()) {
        *whyNot = QStringLiteral("no PDF filter (%1; Debian package cups-filters)").arg(kPdfFilter);
        return false;
    }
    if (Socket().toUtf8().size() >= 100) {
        *whyNot = "the temporary folder's path is too long for a local socket: " + Socket();
        return false;
    }
    if (!writeConfiguration(whyNot))
        return false;
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(kCupsd, {"-f", "-c", m_folder + "/cupsd.conf", "-s", m_folder + "/cups-files.conf"});
    if (!m_cupsd.waitForStarted(10000)) {
        *whyNot = "the scheduler did not start: " + m_cupsd.errorString();
        return false;
    }
    qputenv("CUPS_SERVER", Socket().toLocal8Bit());
    QElapsedTimer clock;
    clock.start();
    QString out;
    while (clock.elapsed() < 20000) {
        if (m_cupsd.state() == QProcess::NotRunning)
            break;
        if (QFileInfo::exists(Socket()) && run("lpstat", {"-r"}, &out) && out.contains("is running"))
            return true;
        QThread::msleep(100);
    }
    *whyNot = "the scheduler did not come up: " + QString::fromLocal8Bit(m_cupsd.readAll()) + logTail();
    return false;
}

bool PrivateCupsScheduler::AddPdfQueue(const QString &name, const QString &outputFile, QString *whyNot)
{
    QString out;
    if (!run("lpadmin", {"-p", name, "-E", "-v", "file://" + outputFile, "-P", m_folder + "/vornpdf.ppd",
                         "-o", "print-scaling-default=none", "-o", "fit-to-page-default=false"},
             &out)
        || !run("cupsenable", {name}, &out) || !run("cupsaccept", {name}, &out)) {
        *whyNot = "the queue was refused: " + out + logTail();
        return false;
    }
    return true;
}

bool PrivateCupsScheduler::WaitUntilIdle(const QString &queue, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QString out;
    while (clock.elapsed() < timeoutMs) {
        if (run("lpstat", {"-o", queue}, &out) && out.trimmed().isEmpty())
            return true;
        QThread::msleep(100);
    }
    return false;
}

QStringList PrivateCupsScheduler::JobOptionLines() const
{
    QFile log(m_folder + "/log/error_log");
    QStringList lines;
    if (!log.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray &line : log.readAll().split('\n'))
        if (line.contains("argv[5]=\""))
            lines << QString::fromUtf8(line.mid(line.indexOf("argv[5]=\"") + 9));
    return lines;
}

bool PrivateCupsScheduler::run(const QString &program, const QStringList &args, QString *output) const
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CUPS_SERVER", Socket());
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(30000)) {
        p.kill();
        *output = program + " did not finish";
        return false;
    }
    *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QString PrivateCupsScheduler::logTail() const
{
    QFile log(m_folder + "/log/error_log");
    if (!log.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray all = log.readAll();
    return "\n" + QString::fromLocal8Bit(all.right(2000));
}
