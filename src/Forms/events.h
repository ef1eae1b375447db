#pragma once
/// @file
/// Events bound by name to the form's handlers.

#include <QByteArray>
#include <QMetaMethod>
#include <QList>
#include <QPointer>

/// A handler of the form bound to a component's event by name.
class TMethod
{
public:
    /// An unassigned handler.
    TMethod() = default;
    /// The method of receiver, usually a public slot of the form.
    TMethod(QObject *receiver, QMetaMethod method) : m_receiver(receiver), m_method(method) {}

    /// Whether the handler is assigned and its receiver still exists.
    explicit operator bool() const { return m_receiver && m_method.isValid(); }
    /// @name Parts
    ///@{

    /// The object that receives the call and the method called.
    QObject *Receiver() const { return m_receiver; }
    const QMetaMethod &Method() const { return m_method; }
    ///@}
    /// True when the handler takes these parameter types or fewer leading ones (as moc spells
    /// them, "bool&" for a reference) and, unless result is null, returns that type. A handler is
    /// called through untyped argument pointers, so any other parameter list would read the wrong
    /// memory.
    bool Fits(const char *result, const QList<const char *> &parameters) const;

    /// Calls the handler directly; arguments are passed by address, so a handler parameter
    /// declared as a reference (bool &) writes through to the caller's variable.
    template <typename R, typename... Args>
    R Call(Args &&...args) const
    {
        R result{};
        void *arguments[] = {const_cast<void *>(static_cast<const void *>(&args))..., nullptr};
        Invoke(&result, QMetaType::fromType<R>().name(), arguments, sizeof...(Args));
        return result;
    }
    /// Calls a handler that returns nothing, as Call does.
    template <typename... Args>
    void Notify(Args &&...args) const
    {
        void *arguments[] = {const_cast<void *>(static_cast<const void *>(&args))..., nullptr};
        Invoke(nullptr, nullptr, arguments, sizeof...(Args));
    }

private:
    void Invoke(void *result, const char *resultType, void **arguments, int count) const;

    QPointer<QObject> m_receiver;
    QMetaMethod m_method;
};

/// Raises EReadError naming the handler, the event and the component unless the handler Fits.
void CheckHandler(const TMethod &handler, const QByteArray &event, const QObject *component, const char *result,
                  const QList<const char *> &parameters);

/// Implemented by components whose events are not plain signals (events that return a value,
/// or whose assignment has side effects); the loader offers such events to the component first.
class TEventBinding
{
public:
    virtual ~TEventBinding() = default;
    /// Returns false when the component has no event of that name; a handler that does not fit
    /// the event is refused with CheckHandler.
    virtual bool BindEvent(const QByteArray &event, const TMethod &handler) = 0;
};

/// Relays one component event to one handler of the form; a child of the component. The slots
/// take the event's own arguments; those of events with no more than a Sender pass the component.
class TEventRelay : public QObject
{
    Q_OBJECT
public:
    /// Relays event of sender to handler.
    TEventRelay(QObject *sender, const QByteArray &event, const TMethod &handler);

    /// The name of the relayed event ("OnClick").
    const QByteArray &Event() const { return m_event; }
    /// Calls the handler with sender as Sender.
    void FireAs(QObject *sender);

public slots:
    /// @name Relaying slots
    ///@{

    /// Call the handler with the component (Fire) or with the event's arguments.
    void Fire();
    void FireMouse(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void FireMove(QObject *sender, Qt::KeyboardModifiers shift, int x, int y);
    ///@}

private:
    QByteArray m_event;
    TMethod m_handler;
};

/// The handlers bound to events that are not signals.
namespace Events {

/// @name Bound handlers
///@{

/// The handlers a layout bound to a component's event (OnClick of a menu entry or a button):
/// FireBound calls them with Sender and tells whether there was one; Unbind drops them.
bool FireBound(QObject *component, const QByteArray &event, QObject *Sender);
void Unbind(QObject *component, const QByteArray &event);
///@}

} // namespace Events
