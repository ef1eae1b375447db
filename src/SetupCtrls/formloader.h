#pragma once

#include <QByteArray>
#include <QHash>
#include <QMetaMethod>
#include <QPointer>
#include <QUiLoader>
#include <QStringList>
#include <QVector>

class QXmlStreamReader;


// A handler of the form bound to a component's event by name.
class TMethod
{
public:
    TMethod() = default;
    TMethod(QObject *receiver, QMetaMethod method) : m_receiver(receiver), m_method(method) {}

    explicit operator bool() const { return m_receiver && m_method.isValid(); }
    QObject *Receiver() const { return m_receiver; }
    const QMetaMethod &Method() const { return m_method; }

    // Calls the handler directly; arguments are passed by address, so a handler parameter
    // declared as a reference (bool &) writes through to the caller's variable.
    template <typename R, typename... Args>
    R Call(Args &&...args) const
    {
        R result{};
        void *arguments[] = {const_cast<void *>(static_cast<const void *>(&args))..., nullptr};
        Invoke(&result, QMetaType::fromType<R>().name(), arguments, sizeof...(Args));
        return result;
    }
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

// Implemented by components whose events are not plain signals (events that return a value,
// or whose assignment has side effects); the loader offers such events to the component first.
class TEventBinding
{
public:
    virtual ~TEventBinding() = default;
    // Returns false when the component has no event of that name.
    virtual bool BindEvent(const QByteArray &event, const TMethod &handler) = 0;
};

namespace FormLoaderDetail {
// Empties the library paths while QUiLoader is constructed: it loads every Designer plugin it
// finds there (one pulls in Qt Quick), and the library's classes come from its own table.
struct PluginScanOff
{
    PluginScanOff();
    QStringList libraryPaths;
};
} // namespace FormLoaderDetail

// Reads a stored page layout (a Qt Designer .ui file) into a form under construction:
// creates the library's classes and non-visual components, applies the stored properties in
// stored order, then resolves component references and binds events to the form's handlers by
// name, fills the form's fields (its pointer-typed properties) with the components of the same
// name, tells the components that loading is done, and finally runs the form's OnCreate. Any name that cannot be resolved is an EReadError.
class TFormLoader : private FormLoaderDetail::PluginScanOff, public QUiLoader
{
public:
    explicit TFormLoader(QWidget *form);

    void Load(const QString &fileName);
    void Load(const QByteArray &layout);

    // Creates a registered class by name; nullptr for unknown names.
    static QObject *CreateComponent(const QString &className, QWidget *parent);
    static bool IsNonVisual(const QString &className);

    // The handlers a layout bound to a component's event (OnClick of a menu entry or a button):
    // FireBoundEvent calls them with Sender and tells whether there was one; UnbindEvent drops them.
    static bool FireBoundEvent(QObject *component, const QByteArray &event, QObject *Sender);
    static void UnbindEvent(QObject *component, const QByteArray &event);
    // A handler takes the event's parameters or fewer leading ones; EReadError otherwise.
    static void CheckHandler(const QByteArray &event, const TMethod &handler, const QList<const char *> &parameters);

    // A stored value: its element's name (string, bool, number, enum, set, stringlist ...), its text
    // and, for a string list, its items.
    struct StoredValue
    {
        QString kind;
        QString text;
        QStringList items;
    };

protected:
    QWidget *createWidget(const QString &className, QWidget *parent, const QString &name) override;

private:
    struct Deferred
    {
        QString component;
        QString property;
        QString value;
    };

    // An open element of the layout; for components also their class and name.
    struct Open
    {
        QString tag;
        QString className;
        QString name;
    };

    static constexpr int MaxCoordinate = 32767;

    struct NonVisual
    {
        QString className;
        QString name;
        QVector<QPair<QString, StoredValue>> properties;
    };

    // The layout without what the loader resolves itself: non-visual components, events and
    // references, which are recorded in stored order.
    QByteArray Prepare(const QByteArray &layout);
    static void CheckNumber(const QString &tag, const QString &text, const QVector<Open> &open);
    void ReadNonVisual(QXmlStreamReader &in, const QString &className, const QString &name);
    const QMetaObject *MetaObjectOf(const QString &className) const;
    void CreateNonVisual(const NonVisual &stored);
    void Resolve(const Deferred &item);
    // Sets the form's pointer-typed properties to the components of the same name.
    void BindFields();
    void ApplyTabStops();
    void IndexComponents(const QObject *parent);
    QObject *FindComponent(const QString &name) const;
    void BindEvent(QObject *component, const QByteArray &event, const QString &handlerName);

    QWidget *m_form;
    QVector<Deferred> m_deferred;
    QVector<NonVisual> m_nonVisual;
    QStringList m_tabStops; // the stored focus order, by component name
    QHash<QString, QPointer<QObject>> m_components; // by name, once every stored component exists
    TMethod m_onCreate;
    QString m_onCreateName;
};
