#include "statustipfilter.h"

#include <QEvent>

CStatusTipFilter::CStatusTipFilter(QObject *parent)
    : QObject(parent)
{ }

bool CStatusTipFilter::eventFilter(QObject *, QEvent *event)
{
    return event->type() == QEvent::StatusTip;
}
