#pragma once
// Completion scripts for bash, zsh and fish, written from the option table.
// Each one completes option names, the values of options that have a fixed
// set of choices or take a file, and folders everywhere else (tamarel-list's
// operands are folders).

#include "OptionDoc.h"

namespace docgen {

// For share/bash-completion/completions/<program>; needs nothing but bash.
QString BashCompletion(const QString &program, const std::vector<TOptionDoc> &options);
// For share/zsh/vendor-completions/_<program>.
QString ZshCompletion(const QString &program, const std::vector<TOptionDoc> &options);
// For share/fish/vendor_completions.d/<program>.fish.
QString FishCompletion(const QString &program, const std::vector<TOptionDoc> &options);

} // namespace docgen
