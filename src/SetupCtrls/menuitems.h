#pragma once

class QAction;
class QMenu;
class QWidget;

// The entries of a main-menu item. A top-level item stored without entries is given its
// drop-down menu, owned by owner, when the first entry is added to it.
QMenu *EntriesOf(QAction *item, QWidget *owner);
