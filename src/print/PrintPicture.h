#pragma once
// A decoded picture handed to the print surface. Copies share one decoded image, so a
// background drawn on every one of 20,000 pages is held (and embedded in a PDF) once.
#include <QImage>
#include <QString>
#include <memory>

class PrintPicture {
public:
    PrintPicture() = default;
    PrintPicture(const QString &path, std::shared_ptr<const QImage> image)
        : m_path(path), m_image(std::move(image)) {}

    bool isNull() const { return !m_image || m_image->isNull(); }
    const QString &path() const { return m_path; }
    const QImage &image() const;
    // Identifies the shared decoded copy.
    const void *identity() const { return m_image.get(); }

    // Loads a picture file (bmp, jpg, gif, png); a null picture when the file is missing or
    // unreadable. "\" separates folders as "/" does. A file already loaded and unchanged on
    // disk is not decoded again while any copy of it is alive.
    static PrintPicture Load(const QString &path);

private:
    QString m_path;
    std::shared_ptr<const QImage> m_image;
};
