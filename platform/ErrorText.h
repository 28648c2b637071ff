#pragma once

#include <QString>

namespace platform {

// The system's own words for an errno value ("No space left on device"), in
// the language of the process's locale.
QString ErrorText(int error);

} // namespace platform
