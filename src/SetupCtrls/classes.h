#pragma once

#include <QString>
#include <QVector>
#include <functional>

class QObject;
class QWidget;
struct QMetaObject;

// The library's classes as the layout loader knows them by name.
struct TClassEntry
{
    const char *name;
    const QMetaObject *metaObject;
    std::function<QObject *(QWidget *parent)> create;
    bool nonVisual;
};

const QVector<TClassEntry> &LibraryClasses();
