#include "formloader.h"

#include "application.h"
#include "classes.h"
#include "component.h"
#include "exceptions.h"

#include <QAbstractButton>
#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDomDocument>
#include <QFile>
#include <QLineEdit>
#include <QMetaProperty>
#include <QRadioButton>

void TMethod::Invoke(void *result, const char *resultType, void **arguments, int count) const
{
    if (!*this)
        return;
    // The argument objects keep pointers into the type names, which must outlive the call.
    QByteArray typeNames[4];
    QGenericArgument args[4];
    for (int i = 0; i < count && i < 4; ++i) {
        typeNames[i] = m_method.parameterTypeName(i);
        args[i] = QGenericArgument(typeNames[i].constData(), arguments[i]);
    }
    m_method.invoke(m_receiver, Qt::DirectConnection, QGenericReturnArgument(resultType, result),
                    args[0], args[1], args[2], args[3]);
}

namespace {

const TClassEntry *FindClass(const QString &className)
{
    for (const TClassEntry &entry : LibraryClasses()) {
        if (className == QLatin1String(entry.name))
            return &entry;
    }
    return nullptr;
}

bool IsEventName(const QString &property)
{
    return property.size() > 2 && property.startsWith(QLatin1String("On")) && property.at(2).isUpper();
}

bool IsReference(const QMetaObject *meta, const QString &property)
{
    if (!meta)
        return false;
    const int index = meta->indexOfProperty(property.toLatin1().constData());
    return index >= 0 && (meta->property(index).metaType().flags() & QMetaType::PointerToQObject);
}

QString ElementText(const QDomElement &property)
{
    return property.firstChildElement().text();
}

// Value of a stored property of a non-visual component, typed by the component's property.
QVariant ReadValue(const QDomElement &property, const QMetaProperty &target)
{
    const QDomElement value = property.firstChildElement();
    const QString kind = value.tagName();
    const QString text = value.text();
    if (kind == QLatin1String("bool"))
        return text == QLatin1String("true");
    if (kind == QLatin1String("number"))
        return text.toLongLong();
    if (kind == QLatin1String("double"))
        return text.toDouble();
    if (kind == QLatin1String("stringlist")) {
        QStringList list;
        for (QDomElement s = value.firstChildElement(QStringLiteral("string")); !s.isNull();
             s = s.nextSiblingElement(QStringLiteral("string")))
            list << s.text();
        return list;
    }
    if ((kind == QLatin1String("enum") || kind == QLatin1String("set")) && target.isEnumType()) {
        const QMetaEnum e = target.enumerator();
        const QByteArray key = text.section(QLatin1String("::"), -1).toLatin1();
        bool ok = false;
        const int v = e.isFlag() ? e.keysToValue(text.toLatin1().constData(), &ok)
                                 : e.keyToValue(key.constData(), &ok);
        return ok ? QVariant(v) : QVariant();
    }
    return text;
}

// Relays one component event to one handler of the form, with the component as Sender.
class EventRelay : public QObject
{
    Q_OBJECT
public:
    EventRelay(QObject *sender, const TMethod &handler) : QObject(sender), m_handler(handler) {}

public slots:
    void Fire()
    {
        QObject *sender = parent();
        const TMethod handler = m_handler;
        RunGuarded([&] { handler.Notify(sender); });
    }

private:
    TMethod m_handler;
};

// Events of the standard controls: the user's change or click, as the layout names them.
bool BindStandardEvent(QObject *component, const QByteArray &event, EventRelay *relay)
{
    if (event == "OnChange") {
        if (auto *edit = qobject_cast<QLineEdit *>(component))
            return QObject::connect(edit, &QLineEdit::textChanged, relay, &EventRelay::Fire);
        if (auto *combo = qobject_cast<QComboBox *>(component))
            return QObject::connect(combo, &QComboBox::activated, relay, &EventRelay::Fire);
    }
    if (event == "OnClick") {
        // Checking a radio button raises its click, also when checked from code.
        if (auto *radio = qobject_cast<QRadioButton *>(component))
            return QObject::connect(radio, &QRadioButton::toggled, relay, [relay](bool checked) {
                if (checked)
                    relay->Fire();
            });
        if (auto *button = qobject_cast<QAbstractButton *>(component))
            return QObject::connect(button, &QAbstractButton::clicked, relay, &EventRelay::Fire);
        if (auto *action = qobject_cast<QAction *>(component))
            return QObject::connect(action, &QAction::triggered, relay, &EventRelay::Fire);
    }
    return false;
}

} // namespace

FormLoaderDetail::PluginScanOff::PluginScanOff() : libraryPaths(QCoreApplication::libraryPaths())
{
    QCoreApplication::setLibraryPaths({});
}

TFormLoader::TFormLoader(QWidget *form) : m_form(form)
{
    QCoreApplication::setLibraryPaths(libraryPaths);
}

QObject *TFormLoader::CreateComponent(const QString &className, QWidget *parent)
{
    const TClassEntry *entry = FindClass(className);
    return entry ? entry->create(parent) : nullptr;
}

bool TFormLoader::IsNonVisual(const QString &className)
{
    const TClassEntry *entry = FindClass(className);
    return entry && entry->nonVisual;
}

void TFormLoader::Load(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError(QStringLiteral("Cannot open layout %1").arg(fileName));
    Load(file.readAll());
}

void TFormLoader::Load(const QByteArray &layout)
{
    QDomDocument document;
    QString parseError;
    int line = 0;
    if (!document.setContent(layout, &parseError, &line))
        throw EReadError(QStringLiteral("Layout is not readable: %1 (line %2)").arg(parseError).arg(line));
    QDomElement top = document.documentElement().firstChildElement(QStringLiteral("widget"));
    if (top.isNull())
        throw EReadError(QStringLiteral("Layout holds no form"));
    const QString formClass = QString::fromLatin1(m_form->metaObject()->className());
    if (top.attribute(QStringLiteral("class")) != formClass)
        throw EReadError(QStringLiteral("Layout is for class %1, not %2")
                             .arg(top.attribute(QStringLiteral("class")), formClass));

    m_deferred.clear();
    m_nonVisual.clear();
    Prepare(top);

    Component::SetLoading(m_form, true);
    struct LoadingEnds
    {
        QWidget *form;
        ~LoadingEnds() { Component::SetLoading(form, false); }
    } loadingEnds{m_form};

    QByteArray prepared = document.toByteArray();
    QBuffer buffer(&prepared);
    buffer.open(QIODevice::ReadOnly);
    if (load(&buffer) != m_form)
        throw EReadError(QStringLiteral("Layout could not be read: %1").arg(errorString()));

    for (const QDomElement &element : std::as_const(m_nonVisual))
        CreateNonVisual(element);
    for (const Deferred &item : std::as_const(m_deferred))
        Resolve(item);

    BindFields();
    Component::SetLoading(m_form, false);
    if (m_onCreate) {
        QObject *sender = m_form;
        RunGuarded([&] { m_onCreate.Notify(sender); });
    }
}

void TFormLoader::Prepare(QDomElement &element)
{
    const QString className = element.attribute(QStringLiteral("class"));
    const QString name = element.attribute(QStringLiteral("name"));
    TakeDeferred(element, className, name);

    for (QDomElement child = element.firstChildElement(); !child.isNull();) {
        QDomElement next = child.nextSiblingElement();
        const QString tag = child.tagName();
        const QString childClass = child.attribute(QStringLiteral("class"));
        if (tag == QLatin1String("widget") && !FindClass(childClass) && !availableWidgets().contains(childClass))
            throw EReadError(QStringLiteral("Class %1 not found (component %2)")
                                 .arg(childClass, child.attribute(QStringLiteral("name"))));
        if (tag == QLatin1String("widget") && IsNonVisual(childClass)) {
            TakeDeferred(child, childClass, child.attribute(QStringLiteral("name")));
            m_nonVisual.append(child);
            element.removeChild(child);
        } else if (tag == QLatin1String("widget") || tag == QLatin1String("action") || tag == QLatin1String("layout")
                   || tag == QLatin1String("item")) {
            Prepare(child);
        }
        child = next;
    }
}

void TFormLoader::TakeDeferred(QDomElement &element, const QString &className, const QString &name)
{
    const TClassEntry *entry = FindClass(className);
    const QMetaObject *meta = entry ? entry->metaObject
                                    : (className == QLatin1String(m_form->metaObject()->className())
                                           ? m_form->metaObject()
                                           : nullptr);
    for (QDomElement property = element.firstChildElement(QStringLiteral("property")); !property.isNull();) {
        QDomElement next = property.nextSiblingElement(QStringLiteral("property"));
        const QString propertyName = property.attribute(QStringLiteral("name"));
        if (IsEventName(propertyName) || IsReference(meta, propertyName)) {
            m_deferred.append({name, propertyName, ElementText(property)});
            element.removeChild(property);
        }
        property = next;
    }
}

QWidget *TFormLoader::createWidget(const QString &className, QWidget *parent, const QString &name)
{
    QWidget *widget = nullptr;
    if (!parent && className == QLatin1String(m_form->metaObject()->className()))
        widget = m_form;
    else if (const TClassEntry *entry = FindClass(className))
        widget = qobject_cast<QWidget *>(entry->create(parent));
    else
        return QUiLoader::createWidget(className, parent, name);
    widget->setObjectName(name);
    return widget;
}

void TFormLoader::CreateNonVisual(const QDomElement &element)
{
    const QString name = element.attribute(QStringLiteral("name"));
    QObject *component = CreateComponent(element.attribute(QStringLiteral("class")), m_form);
    component->setObjectName(name);
    const QMetaObject *meta = component->metaObject();
    for (QDomElement property = element.firstChildElement(QStringLiteral("property")); !property.isNull();
         property = property.nextSiblingElement(QStringLiteral("property"))) {
        const QString propertyName = property.attribute(QStringLiteral("name"));
        if (propertyName == QLatin1String("geometry"))
            continue; // where a designer shows the component's icon
        const int index = meta->indexOfProperty(propertyName.toLatin1().constData());
        const QVariant value = index >= 0 ? ReadValue(property, meta->property(index)) : QVariant();
        if (!value.isValid() || !meta->property(index).write(component, value))
            throw EReadError(QStringLiteral("Property %1 of %2 cannot be set").arg(propertyName, name));
    }
}

void TFormLoader::BindFields()
{
    const QMetaObject *meta = m_form->metaObject();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty field = meta->property(i);
        if (!(field.metaType().flags() & QMetaType::PointerToQObject) || !field.isWritable())
            continue;
        if (QObject *component = FindComponent(QString::fromLatin1(field.name()))) {
            QVariant value = QVariant::fromValue(component);
            if (!value.convert(field.metaType()) || !field.write(m_form, value))
                throw EReadError(QStringLiteral("Component %1 is not a %2")
                                     .arg(component->objectName(), QString::fromLatin1(field.metaType().name())));
        }
    }
}

QObject *TFormLoader::FindComponent(const QString &name) const
{
    if (m_form->objectName() == name)
        return m_form;
    return m_form->findChild<QObject *>(name);
}

void TFormLoader::Resolve(const Deferred &item)
{
    QObject *component = FindComponent(item.component);
    if (!component)
        throw EReadError(QStringLiteral("Component %1 not found").arg(item.component));
    if (IsEventName(item.property)) {
        BindEvent(component, item.property.toLatin1(), item.value);
        return;
    }
    QObject *target = nullptr;
    if (!item.value.isEmpty()) {
        target = FindComponent(item.value);
        if (!target)
            throw EReadError(QStringLiteral("Component %1 not found (%2 of %3)")
                                 .arg(item.value, item.property, item.component));
    }
    const QMetaProperty property =
        component->metaObject()->property(component->metaObject()->indexOfProperty(item.property.toLatin1().constData()));
    QVariant value = QVariant::fromValue(target);
    if (!value.convert(property.metaType()) || !property.write(component, value))
        throw EReadError(QStringLiteral("Component %1 does not fit %2 of %3")
                             .arg(item.value, item.property, item.component));
}

void TFormLoader::BindEvent(QObject *component, const QByteArray &event, const QString &handlerName)
{
    const QMetaObject *formMeta = m_form->metaObject();
    QMetaMethod handler;
    for (int i = 0; i < formMeta->methodCount(); ++i) {
        const QMetaMethod method = formMeta->method(i);
        if (method.name() == handlerName.toLatin1() && method.methodType() != QMetaMethod::Signal) {
            handler = method;
            break;
        }
    }
    if (!handler.isValid())
        throw EReadError(QStringLiteral("Method %1 not found (%2 of %3)")
                             .arg(handlerName, QString::fromLatin1(event), component->objectName()));
    const TMethod method(m_form, handler);

    if (component == m_form && event == "OnCreate") {
        m_onCreate = method;
        return;
    }
    if (auto *binding = dynamic_cast<TEventBinding *>(component); binding && binding->BindEvent(event, method))
        return;

    auto *relay = new EventRelay(component, method);
    const QMetaObject *meta = component->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod signal = meta->method(i);
        if (signal.methodType() == QMetaMethod::Signal && signal.name() == event) {
            QObject::connect(component, signal, relay, relay->metaObject()->method(relay->metaObject()->indexOfSlot("Fire()")));
            return;
        }
    }
    if (BindStandardEvent(component, event, relay))
        return;
    delete relay;
    throw EReadError(QStringLiteral("Event %1 not found on %2 (%3)")
                         .arg(QString::fromLatin1(event), component->objectName(), QString::fromLatin1(meta->className())));
}

#include "formloader.moc"
