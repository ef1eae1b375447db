#pragma once

#include <QWidget>

// Stands for the non-visual TSetupSupporter on a form in Qt Designer: a small icon the page
// author places and selects; the supporter's published properties are the item's dynamic
// properties, stored as the layout loader reads them.
namespace SupporterItem {

QWidget *Create(QWidget *parent);

} // namespace SupporterItem
