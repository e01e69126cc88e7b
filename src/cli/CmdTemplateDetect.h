#pragma once
// vornprn-cli template detect PICTURE and template new FILE.tzd --from-picture PICTURE: the
// designer's "识别填涂块" without a window.
#include "cli/CliCommand.h"

QString TemplateDetectUsage();
// Runs the action when it is `detect` or `new` with --from-picture; false otherwise.
bool RunTemplateDetectAction(CliContext &ctx, const CliCommand &command, const QString &action,
                             const QStringList &args, int *exitCode);
