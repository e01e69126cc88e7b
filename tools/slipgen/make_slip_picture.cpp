// make_slip_picture KIND OUT.png|OUT.jpg [--dpi N] [--angle DEG]: one generated slip picture and,
// beside it, OUT.json with the blocks, marks and stake offsets it was drawn with.
#include "SlipGenerator.h"

#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {
QJsonObject rectJson(const QRectF &r)
{
    return {{"x", r.x()}, {"y", r.y()}, {"width", r.width()}, {"height", r.height()}};
}
} // namespace

int main(int argc, char **argv)
{
    slipgen::DrawOffScreenWithoutDisplay();
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    slipgen::SlipRecipe recipe;
    if (args.size() < 3 || !slipgen::RecipeByName(args[1], &recipe)) {
        std::fprintf(stderr, "usage: make_slip_picture two-areas|stakes-in-y|columns|scan OUT.png|OUT.jpg "
                             "[--dpi N] [--angle DEG]\n");
        return 2;
    }
    for (int i = 3; i + 1 < args.size(); i += 2) {
        if (args[i] == "--dpi")
            recipe.dpi = args[i + 1].toDouble();
        else if (args[i] == "--angle")
            recipe.rotationDeg = args[i + 1].toDouble();
    }
    const slipgen::Slip slip = slipgen::Generate(recipe);
    if (!slip.picture.save(args[2], nullptr, args[2].endsWith(".jpg") ? 90 : -1))
        return 1;
    QJsonArray blocks, marks, offsets;
    for (const slipgen::TruthBlock &b : slip.blocks) {
        QJsonObject o = rectJson(b.rect);
        o["stake"] = b.stake;
        o["area"] = b.area;
        o["index"] = b.index;
        blocks.append(o);
    }
    for (const QRectF &m : slip.marks)
        marks.append(rectJson(m));
    for (const QPointF &o : slip.stakeOffsets)
        offsets.append(QJsonArray{o.x(), o.y()});
    QFile json(args[2].section('.', 0, -2) + ".json");
    if (!json.open(QIODevice::WriteOnly))
        return 1;
    json.write(QJsonDocument(QJsonObject{{"blocks", blocks}, {"marks", marks}, {"stakeOffsets", offsets}})
                   .toJson());
    return 0;
}
