#pragma once
// tamarel-list --help: the usage line, every option of the option table by
// group, the mask rules, what a listing leaves out, examples and the exit
// statuses.

#include <QString>

namespace cli {

QString UsageText();

} // namespace cli
