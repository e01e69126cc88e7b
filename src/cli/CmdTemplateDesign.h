#pragma once
// vornprn-cli template new|properties|add-block|add-blocks|add-mark|add-marks|add-label|add-line:
// the designer's dialogs without a window.
#include "cli/CliCommand.h"

// The usage lines of the design actions.
QString TemplateDesignUsage();
// Runs the action when it is one of the design actions; false when it is not.
bool RunTemplateDesignAction(CliContext &ctx, const CliCommand &command, const QString &action,
                             const QStringList &args, int *exitCode);
