#pragma once

#include <QWidget>

// Stands for the non-visual TSetupSupporter on a form in Qt Designer: a small icon the page
// author places and selects; the supporter's published properties are the item's dynamic
// properties, stored as the layout loader reads them.
namespace SupporterItem {

QWidget *Create(QWidget *parent);
// The supporter's stored properties with their defaults, as property elements of a layout.
QString DefaultProperties();

} // namespace SupporterItem
