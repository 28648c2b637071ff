#pragma once
// The options section of a manual page in mdoc(7), written from the option
// table so that the page lists exactly what the program accepts.

#include "OptionDoc.h"

namespace docgen {

// One ".Ss" subsection per group, in the order the groups first appear.
QString ManOptions(const std::vector<TOptionDoc> &options);

// Replaces the line "@OPTIONS@" of a page template with the options. Returns
// an empty string when the template has no such line, so that a page cannot
// silently lose its options.
QString FillManTemplate(const QString &pageTemplate, const QString &options);

// Text for a text line of mdoc: backslashes escaped, a leading "." or "'"
// made literal, and each sentence on a line of its own, as mandoc wants.
QString ManText(const QString &text);

} // namespace docgen
