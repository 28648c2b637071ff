#pragma once

#include "engine/SearchCriteria.h"

namespace engine {

// The criteria both of the application's engines start from: every name,
// no recursion (a listing switches it on), folders reported as well as
// files; hidden and system entries keep being left out.
inline void SetApplicationCriteria(TSearchCriteria &criteria)
{
    criteria.Files().SetFileName(QStringLiteral("*.*"));
    criteria.Files().SetSubfolders(false);
    criteria.Attributes().SetDirectory(fsIgnore);
}

} // namespace engine
