#pragma once
// Laying a template's blocks onto the blocks found on a slip's picture: which found block is
// which template block, and the affine map from the template's millimetres to the picture's.
// Only the printed box outlines take part, so that anything printed onto the slip (the marks
// being measured) cannot pull the registration.
#include <QList>
#include <QRectF>
#include <QTransform>

struct BlockRegistration {
    bool ok = false;
    QTransform toPicture; // template millimetres to picture millimetres
    int matched = 0;      // template blocks paired with a found block
    double worst = 0;     // the largest distance (mm) of a paired block from where the map puts it
};

// templateBlocks and found in millimetres, both with x to the right and y down; the picture
// must be straight and at its true resolution (the map only corrects small differences).
BlockRegistration RegisterBlocks(const QList<QRectF> &templateBlocks, const QList<QRectF> &found);
