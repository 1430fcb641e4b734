#include "platform/EventPump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace pump {

void processPending()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void until(const bool &flag)
{
    while (!flag)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace pump
