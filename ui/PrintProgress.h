#pragma once
// What a long print tells its caller while it runs, and how the caller
// stops it: both prints call back between pages, where the window can
// update its progress and let the user's clicks through.

#include <QtGlobal>
#include <functional>

namespace ui {

struct TPrintStatus {
    // How far the print has come, in steps of its own choosing.
    qint64 Done = 0;
    qint64 Total = 1;
    // The page printed last, from 1; 0 while none is.
    int Page = 0;
    // The pages the print will have; 0 while they are being counted.
    int Pages = 0;
};

// False stops the print: no page follows.
using TPrintProgress = std::function<bool(const TPrintStatus &status)>;

struct TPrintResult {
    int Pages = 0;  // painted
    bool Cancelled = false;
};

} // namespace ui
