#pragma once
// vornprn-cli template new FILE.tzd --from-picture PICTURE: a whole template from what the
// detector finds, as the designer's "识别填涂块" makes it.
#include "cli/CliCommand.h"

int RunTemplateFromPicture(CliContext &ctx, const CliCommand &command, const QStringList &args);
