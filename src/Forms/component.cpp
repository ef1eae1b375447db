#include "component.h"

#include <QVariant>

namespace {

constexpr const char *DesigningFlag = "csDesigning";
constexpr const char *LoadingFlag = "csLoading";

bool InheritedFlag(const QObject *component, const char *flag)
{
    for (const QObject *o = component; o; o = o->parent()) {
        if (o->property(flag).toBool())
            return true;
    }
    return false;
}

} // namespace

namespace Component {

void SetDesigning(QObject *root, bool designing)
{
    root->setProperty(DesigningFlag, designing ? QVariant(true) : QVariant());
}

bool IsDesigning(const QObject *component)
{
    return InheritedFlag(component, DesigningFlag);
}

void SetLoading(QObject *root, bool loading)
{
    root->setProperty(LoadingFlag, loading ? QVariant(true) : QVariant());
}

bool IsLoading(const QObject *component)
{
    return InheritedFlag(component, LoadingFlag);
}

bool HasClassName(const QObject *component, const char *className)
{
    return component && qstrcmp(component->metaObject()->className(), className) == 0;
}

QString UniqueName(const QObject *owner, const QString &stem)
{
    for (int n = 1;; ++n) {
        const QString candidate = stem + QString::number(n);
        if (owner->objectName() != candidate && !owner->findChild<QObject *>(candidate))
            return candidate;
    }
}

} // namespace Component
