#include "menuitems.h"

#include <QAction>
#include <QMenu>

QMenu *EntriesOf(QAction *item, QWidget *owner)
{
    if (QMenu *entries = item->menu())
        return entries;
    auto *entries = new QMenu(item->text(), owner);
    item->setMenu(entries);
    return entries;
}
