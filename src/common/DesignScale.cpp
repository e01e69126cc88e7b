#include "common/DesignScale.h"

namespace {
double &scaleSlot()
{
    static double scale = 0;
    return scale;
}
} // namespace

double GetDesignScale()
{
    double &s = scaleSlot();
    if (s == 0)
        s = 85.05; // 56.7 twips per millimetre, times 1.5
    else if (s <= 11.2)
        s = 11.2;
    else if (s >= 283.5)
        s = 283.5;
    return s;
}

void SetDesignScale(double value) { scaleSlot() = value; }

qint32 GetGroupColor(const QString &groupId)
{
    struct Row {
        const char *id;
        int r, g, b;
    };
    static const Row table[] = {
        {"1", 0, 0, 128},     {"2", 128, 0, 0},     {"3", 128, 128, 0},  {"4", 0, 128, 0},
        {"5", 0, 128, 128},   {"6", 128, 0, 128},   {"7", 0, 64, 64},    {"8", 0, 128, 255},
        {"9", 0, 255, 0},     {"10", 128, 255, 255}, {"11", 255, 128, 64}, {"12", 255, 0, 0},
        {"13", 255, 0, 255},
    };
    const QString id = groupId.toUpper();
    for (const Row &row : table)
        if (id == QLatin1String(row.id))
            return RGB(row.r, row.g, row.b);
    return RGB(255, 255, 128);
}
