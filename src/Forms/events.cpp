#include "events.h"

#include "application.h"
#include "exceptions.h"

#include <QStringList>
#include <algorithm>

namespace {

bool SameType(const QByteArray &actual, const char *expected)
{
    if (actual == expected)
        return true;
    const QMetaType type = QMetaType::fromName(actual);
    return type.isValid() && type == QMetaType::fromName(expected);
}

} // namespace

bool TMethod::Fits(const char *result, const QList<const char *> &parameters) const
{
    if (!m_method.isValid() || m_method.parameterCount() > parameters.size())
        return false;
    if (result && !SameType(m_method.typeName(), result))
        return false;
    for (int i = 0; i < m_method.parameterCount(); ++i) {
        if (!SameType(m_method.parameterTypeName(i), parameters.at(i)))
            return false;
    }
    return true;
}

void CheckHandler(const TMethod &handler, const QByteArray &event, const QObject *component, const char *result,
                  const QList<const char *> &parameters)
{
    if (handler.Fits(result, parameters))
        return;
    QStringList expected;
    for (const char *parameter : parameters)
        expected << QString::fromLatin1(parameter);
    QString message = QStringLiteral("Method %1 does not fit %2 of %3, which passes (%4)")
                          .arg(QString::fromLatin1(handler.Method().methodSignature()), QString::fromLatin1(event),
                               component->objectName(), expected.join(QLatin1String(", ")));
    if (result)
        message += QStringLiteral(" and takes a %1").arg(QString::fromLatin1(result));
    throw EReadError(message);
}

void TMethod::Invoke(void *result, const char *resultType, void **arguments, int count) const
{
    if (!*this)
        return;
    // The argument objects keep pointers into the type names, which must outlive the call.
    QByteArray typeNames[5];
    QGenericArgument args[5];
    // A handler may take fewer leading parameters than the event passes.
    count = std::min(count, m_method.parameterCount());
    for (int i = 0; i < count && i < 5; ++i) {
        typeNames[i] = m_method.parameterTypeName(i);
        args[i] = QGenericArgument(typeNames[i].constData(), arguments[i]);
    }
    m_method.invoke(m_receiver, Qt::DirectConnection, QGenericReturnArgument(resultType, result),
                    args[0], args[1], args[2], args[3], args[4]);
}

TEventRelay::TEventRelay(QObject *sender, const QByteArray &event, const TMethod &handler)
    : QObject(sender), m_event(event), m_handler(handler)
{
}

void TEventRelay::Fire()
{
    FireAs(parent());
}

void TEventRelay::FireAs(QObject *sender)
{
    const TMethod handler = m_handler;
    RunGuarded([&] { handler.Notify(sender); });
}

void TEventRelay::FireMouse(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    const TMethod handler = m_handler;
    RunGuarded([&] { handler.Notify(sender, button, shift, x, y); });
}

void TEventRelay::FireMove(QObject *sender, Qt::KeyboardModifiers shift, int x, int y)
{
    const TMethod handler = m_handler;
    RunGuarded([&] { handler.Notify(sender, shift, x, y); });
}

namespace {

QList<TEventRelay *> RelaysOf(const QObject *component, const QByteArray &event)
{
    QList<TEventRelay *> relays;
    for (QObject *child : component->children()) {
        if (auto *relay = qobject_cast<TEventRelay *>(child); relay && relay->Event() == event)
            relays.append(relay);
    }
    return relays;
}

} // namespace

bool Events::FireBound(QObject *component, const QByteArray &event, QObject *Sender)
{
    const QList<TEventRelay *> relays = RelaysOf(component, event);
    for (TEventRelay *relay : relays)
        relay->FireAs(Sender);
    return !relays.isEmpty();
}

void Events::Unbind(QObject *component, const QByteArray &event)
{
    qDeleteAll(RelaysOf(component, event));
}
