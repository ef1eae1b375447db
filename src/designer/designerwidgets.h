#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One library class as Qt Designer offers it.
struct TDesignerWidget
{
    QString className;
    QString header;
    bool container;
    QString toolTip;
    QStringList events;
};

// The classes, in the order of the list in CMakeLists.txt.
const QVector<TDesignerWidget> &DesignerWidgets();
