#include "events.h"

#include "application.h"
#include "exceptions.h"

#include <algorithm>

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

void Events::CheckHandler(const QByteArray &event, const TMethod &handler, const QList<const char *> &parameters)
{
    const QMetaMethod &method = handler.Method();
    bool fits = method.parameterCount() <= parameters.size();
    for (int i = 0; fits && i < method.parameterCount(); ++i) {
        const QMetaType type = QMetaType::fromName(parameters.at(i));
        fits = method.parameterTypeName(i) == parameters.at(i) || (type.isValid() && method.parameterMetaType(i) == type);
    }
    if (!fits)
        throw EReadError(QStringLiteral("Method %1 does not fit %2")
                             .arg(QString::fromLatin1(method.methodSignature()), QString::fromLatin1(event)));
}

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
