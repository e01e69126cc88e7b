#include "platform/AppIcon.h"

#include <QPixmap>

QIcon AppIcon()
{
    // The same picture the desktop's icon theme gets when the program is installed.
    const QIcon drawing(QStringLiteral(":/vornprn/vornprn.svg"));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(drawing.pixmap(size, size));
    return icon;
}
