#include "print/PrintPicture.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace {
struct CacheEntry {
    QDateTime modified;
    qint64 size = -1;
    std::weak_ptr<const QImage> image;
};

QHash<QString, CacheEntry> &cache()
{
    static QHash<QString, CacheEntry> entries;
    return entries;
}

QString existingFile(const QString &path)
{
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).isFile())
        return path;
    QString slashed = path;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QFileInfo(slashed).isFile() ? slashed : QString();
}
} // namespace

const QImage &PrintPicture::image() const
{
    static const QImage none;
    return m_image ? *m_image : none;
}

PrintPicture PrintPicture::Load(const QString &path)
{
    const QString file = existingFile(path);
    if (file.isEmpty())
        return {};
    const QFileInfo info(file);
    const QString key = info.absoluteFilePath();
    CacheEntry &entry = cache()[key];
    if (entry.modified == info.lastModified() && entry.size == info.size()) {
        if (auto shared = entry.image.lock())
            return PrintPicture(path, shared);
    }
    QImageReader reader(file);
    reader.setAutoTransform(true);
    QImage decoded = reader.read();
    if (decoded.isNull()) {
        cache().remove(key);
        return {};
    }
    auto shared = std::make_shared<const QImage>(std::move(decoded));
    entry.modified = info.lastModified();
    entry.size = info.size();
    entry.image = shared;
    return PrintPicture(path, shared);
}
