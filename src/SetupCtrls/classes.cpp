#include "classes.h"

#include "boardhighlight.h"
#include "boardimage.h"
#include "jumpers.h"
#include "radiopanel.h"
#include "setupsupporter.h"

namespace {

template <typename T>
TClassEntry Visual()
{
    return {T::staticMetaObject.className(), &T::staticMetaObject,
            [](QWidget *parent) -> QObject * { return new T(parent); }, false};
}

template <typename T>
TClassEntry NonVisual()
{
    return {T::staticMetaObject.className(), &T::staticMetaObject,
            [](QWidget *owner) -> QObject * { return new T(owner); }, true};
}

} // namespace

const QVector<TClassEntry> &LibraryClasses()
{
    static const QVector<TClassEntry> classes = {
        Visual<TBoardImage>(),
        Visual<TBoardHighlight>(),
        NonVisual<TSetupSupporter>(),
        Visual<TTwoJumper>(), Visual<TThreeJumper>(), Visual<TRadioPanel>(),
    };
    return classes;
}
