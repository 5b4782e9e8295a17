#pragma once

#include <QString>

// The --help texts of the tool and its commands.
namespace tools {

QString toolHelp();
QString infoHelp();
QString exportHelp();
QString importHelp();
QString makeHelp();

}  // namespace tools
