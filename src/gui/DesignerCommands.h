#pragma once
// The designer's toolbar: every command in toolbar order with its tooltip and its icon in the
// program's resources.
#include <QString>
#include <vector>

struct DesignerCommand {
    QString name;    // the command's object name, e.g. "cmdAddLottNumber"; empty: a separator
    QString text;    // the tooltip
    QString icon;    // resource path of the SVG icon
};

const std::vector<DesignerCommand> &DesignerCommands();
