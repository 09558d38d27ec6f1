// The run loop the programs turn: wait for something to happen, then hand out all of it.
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>

#include "common/window.h"
#include "native_window.h"

namespace common {

void wait_events(int no_block) {
    ensure_layer();
    if (no_block == 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Windows closed by a handler are deleted here, where no handler of theirs is running.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace common
