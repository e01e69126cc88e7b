#include "app/CalibrationPageJob.h"

#include "model/colPLControls.h"
#include "print/DocumentSurface.h"
#include "print/MarkColor.h"
#include "print/clsPLPrint.h"
#include "storage/clsPLStoreINI.h"
#include "storage/WholeTemplate.h"

#include <QFileInfo>

bool LayOutCalibrationPage(const PrintJobOptions &options, PrintDocument *doc)
{
    colPLControls layout;
    if (!LoadWholeTemplate(options.templatePath, layout))
        return false;
    ApplyJobLayout(layout, options);
    ApplyPrinterOffset(layout, options.printerOffset);
    SetMarkColor(options.markColor);
    DocumentSurface surface;
    clsPLPrint engine;
    engine.SetPrinterPageByLayout(surface, layout);
    if (!engine.PrintPLWithCalibration(layout, surface, true))
        return false;
    *doc = surface.TakeDocument();
    return true;
}
