#pragma once

#include <QAction>
#include <QStringList>

// The captions of menu items, in order.
inline QStringList Captions(const QList<QAction *> &actions)
{
    QStringList captions;
    for (const QAction *action : actions)
        captions << action->text();
    return captions;
}
