#include "input/BetImporter.h"

#include "common/Blanks.h"
#include "common/FormatMsg.h"
#include "common/MsgBox.h"
#include "common/PathFile.h"
#include "input/BetEntries.h"
#include "input/BetList.h"
#include "input/TextLines.h"
#include "input/clsScriptRunner.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <new>

bool ListScriptFiles(const QString &scriptFolder, QStringList *names)
{
    const QStringList files =
        QDir(scriptFolder).entryList({QStringLiteral("*.cvb")}, QDir::Files, QDir::NoSort);
    if (files.isEmpty()) {
        MsgBox(FormatMsg(QString(), QStringLiteral("未在 [{1}] 目录找到任何的转换脚本文件!"),
                         {scriptFolder}),
               MsgStyle::Exclamation);
        return false;
    }
    QStringList found;
    found.reserve(files.size());
    for (const QString &file : files)
        found << file.left(file.size() - 4);
    // QString's operator< compares UTF-16 code units one by one.
    std::sort(found.begin(), found.end());
    if (names)
        *names = found;
    return true;
}

BetImporter::BetImporter(BetList &list, const ImportFolders &folders)
    : m_list(list), m_folders(folders), m_ScriptTimeLimitMs(clsScriptRunner::kTimeLimitMs)
{
}

QString BetImporter::ScriptPathFile() const
{
    if (!m_ScriptPathFile.isEmpty())
        return m_ScriptPathFile;
    return m_folders.ScriptFolder + m_ScriptName + QStringLiteral(".cvb");
}

void BetImporter::Load(QStringList *scripts)
{
    const ImportSettings s =
        ReadImportSettings(m_folders.SettingsPathFile(), m_folders.UserDataFolder);
    m_PathFile = s.LastPathFile;
    m_Mode = s.Mode;
    QStringList names;
    if (ListScriptFiles(m_folders.ScriptFolder, &names) && scripts)
        *scripts = names;
    m_ScriptName = s.SpecialScript;
}

QString BetImporter::LastPath() const
{
    return ReadImportSettings(m_folders.SettingsPathFile(), m_folders.UserDataFolder).LastPath;
}

void BetImporter::BrowseChosen(const QString &pathFile)
{
    m_PathFile = pathFile;
    SaveImportLastPath(m_folders.SettingsPathFile(), SplitPathFile(pathFile).folder);
}

void BetImporter::SaveImportSettings() const
{
    ::SaveImportSettings(m_folders.SettingsPathFile(), m_PathFile, m_Mode, m_ScriptName);
}

bool BetImporter::Ok(const std::function<void()> &browse)
{
    if (TrimBlanks(m_PathFile).isEmpty()) {
        MsgBox(QStringLiteral("请选择文件！"), MsgStyle::Plain);
        if (browse)
            browse();
        return false;
    }
    SaveImportSettings();
    return ImportLottNumbers();
}

bool BetImporter::ImportLottNumbers()
{
    // The list is replaced only by a finished import: a failed or empty one leaves it (and the
    // status line that describes it) as it was, rather than half emptied.
    BetEntries built;
    try {
        if (!ReadEntries(built))
            return false;
        m_list.Clear();
        m_list.AppendEntries(std::move(built));
        return true;
    } catch (const std::bad_alloc &) {
        MsgBox(QStringLiteral("内存不足"), MsgStyle::Plain);
    } catch (const std::exception &e) {
        MsgBox(QString::fromLocal8Bit(e.what()), MsgStyle::Plain);
    }
    return false;
}

bool BetImporter::ReadEntries(BetEntries &built)
{
    if (m_Mode == ImportMode::Special) {
        QStringList lines;
        if (!ReadScriptLines(&lines))
            return false;
        for (qsizetype i = 0; i < lines.size(); ++i)
            built.AppendSourceLine(qint32(i + 1), lines[i], false);
        if (built.isEmpty()) { // no output, or only empty lines
            MsgBox(QStringLiteral("运行转换脚本没有得到输出结果!"), MsgStyle::Exclamation);
            return false;
        }
        return true;
    }
    const bool includeIndex = m_Mode == ImportMode::IncludeIndex;
    const qint64 bytes = std::min(QFileInfo(m_PathFile).size(), kMaxTextFileBytes);
    built.reserve(bytes / 8, 0);
    qint32 lineNumber = 0;
    QString failure;
    const bool read = ForEachTextLine(
        m_PathFile,
        [&](QStringView line) { built.AppendSourceLine(++lineNumber, line, includeIndex); },
        &failure, TextFileKind::BetFile);
    if (!read) {
        // Nothing counts as read from a file that failed part way.
        MsgBox(failure, MsgStyle::Exclamation);
        return false;
    }
    if (lineNumber == 0) {
        MsgBox(FormatMsg(QString(), QStringLiteral("文件 {1} 是空的，没有可导入的投注号码！"),
                         {m_PathFile}),
               MsgStyle::Exclamation);
        return false;
    }
    if (built.isEmpty()) {
        MsgBox(FormatMsg(QString(), QStringLiteral("文件 {1} 中没有可导入的投注号码！"),
                         {m_PathFile}),
               MsgStyle::Exclamation);
        return false;
    }
    return true;
}

bool BetImporter::ReadScriptLines(QStringList *lines)
{
    return RunConversionScript(ScriptPathFile(), m_PathFile, lines, m_ScriptTimeLimitMs,
                               ScriptDisplayName());
}

QString BetImporter::ScriptDisplayName() const
{
    return m_ScriptPathFile.isEmpty() ? m_ScriptName : m_ScriptPathFile;
}

bool BetImporter::Test()
{
    SaveImportSettings();
    const QString output = m_folders.DebugOutPathFile();
    QStringList lines;
    if (!ReadScriptLines(&lines))
        return false;
    if (!WriteTextLines(lines, output))
        return false;
    MsgBox(FormatMsg(QString(),
                     QStringLiteral("该按钮仅供具有脚本开发能力的用户使用, "
                                    "可以开发针对某种特殊格式的转换脚本, "
                                    "测试转换脚本输出文件保存到: {CRLF}[{1}]"),
                     {output}),
           MsgStyle::Information);
    ShellOpen(output);
    return true;
}

bool ShowMe_Background(BetList &list, const QString &pathFile, const ImportFolders &folders)
{
    BetImporter importer(list, folders);
    importer.Load();
    importer.setPathFile(pathFile);
    importer.ImportLottNumbers();
    return true;
}
