#pragma once

#include <QString>
#include <QVector>

// One library class as Qt Designer offers it.
struct TDesignerWidget
{
    QString className;
    QString header;
    bool container;
    QString toolTip;
};

// The classes, in the order of the list in CMakeLists.txt.
const QVector<TDesignerWidget> &DesignerWidgets();
