#include "app/busy_cursor.h"

#include <QApplication>
#include <QCursor>

namespace arkona::app {

namespace {
bool shown = false;
}

void SetBusyCursor(bool on) {
    if (on == shown) {
        return;
    }
    shown = on;
    if (on) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        QApplication::restoreOverrideCursor();
    }
}

bool busyCursorShown() {
    return shown;
}

} // namespace arkona::app
