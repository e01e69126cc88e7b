#include "cli/CliDetectOptions.h"

#include "storage/StrictConvert.h"

bool ReadDetectOptions(const CliOptions &o, DetectOptions *options, double *dpi, QString *problem)
{
    *dpi = 0;
    if (o.has("dpi") && (!StrictDouble(o.value("dpi"), dpi) || !(*dpi > 0))) {
        *problem = QStringLiteral("--dpi needs a positive number");
        return false;
    }
    const QString by = o.value("areas-by", "gaps");
    if (by == "gaps")
        options->areasBy = AreasBy::Gaps;
    else if (by == "columns")
        options->areasBy = AreasBy::Columns;
    else if (by == "rows")
        options->areasBy = AreasBy::Rows;
    else {
        *problem = QStringLiteral("--areas-by takes gaps, columns or rows");
        return false;
    }
    return true;
}
