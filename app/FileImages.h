#pragma once
// The three pictures of both tables: the parent folder, a folder, a file.
// The desktop's icon theme gives them where it has them.

#include <QIcon>

namespace app {

// Indexed by an entry's ImageIndex. Needs the application object.
const QIcon &DefaultFileImage(int imageIndex);

} // namespace app
