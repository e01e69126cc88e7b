// Build tool: draws the program's SVG icon as PNG files of the given sizes, for the desktop's
// icon theme (some desktops and menus take only pictures).
//     vorn_icon_png ICON.svg OUT_FOLDER SIZE...   writes OUT_FOLDER/SIZExSIZE/apps/vornprn.png
#include <QDir>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // pictures without text need no window system
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fputs("usage: vorn_icon_png ICON.svg OUT_FOLDER SIZE...\n", stderr);
        return 2;
    }
    for (const QString &text : args.mid(3)) {
        const int size = text.toInt();
        QImageReader reader(args[1]);
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(size);
        if (image.isNull() || image.size() != QSize(size, size) || !QDir().mkpath(folder)
            || !image.save(folder + QStringLiteral("/vornprn.png"))) {
            std::fprintf(stderr, "vorn_icon_png: cannot draw %s at %d pixels: %s\n",
                         qPrintable(args[1]), size, qPrintable(reader.errorString()));
            return 1;
        }
    }
    return 0;
}
