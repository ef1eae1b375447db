#include "formloader.h"

#include "application.h"
#include "component.h"
#include "exceptions.h"
#include "form.h"

#include <QAbstractButton>
#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMetaProperty>
#include <QRadioButton>
#include <QSet>
#include <QXmlStreamReader>
#include <algorithm>

#include <algorithm>

namespace {

QVector<TClassEntry> &RegisteredClasses()
{
    static QVector<TClassEntry> classes;
    return classes;
}

const TClassEntry *FindClass(const QString &className)
{
    for (const TClassEntry &entry : RegisteredClasses()) {
        if (className == QLatin1String(entry.name))
            return &entry;
    }
    return nullptr;
}

bool IsEventName(const QString &property)
{
    return property.size() > 2 && property.startsWith(QLatin1String("On")) && property.at(2).isUpper();
}

// Members the library's classes publish that have no meaning in Qt: a stored value is read and
// ignored.
bool IsWithoutMeaning(const QString &property)
{
    static const QStringList names = {
        QStringLiteral("Ctl3D"),          QStringLiteral("ParentCtl3D"), QStringLiteral("BiDiMode"),
        QStringLiteral("ParentBiDiMode"), QStringLiteral("FullRepaint"), QStringLiteral("ShowHint"),
        QStringLiteral("ParentShowHint"), QStringLiteral("HelpContext"), QStringLiteral("ParentFont")};
    return names.contains(property);
}

bool IsReference(const QMetaObject *meta, const QString &property)
{
    if (!meta)
        return false;
    const int index = meta->indexOfProperty(property.toLatin1().constData());
    return index >= 0 && (meta->property(index).metaType().flags() & QMetaType::PointerToQObject);
}

// Value of a stored property of a non-visual component, typed by the component's property.
QVariant ReadValue(const TFormLoader::StoredValue &stored, const QMetaProperty &target)
{
    const QString &kind = stored.kind;
    const QString &text = stored.text;
    if (kind == QLatin1String("bool"))
        return text == QLatin1String("true");
    if (kind == QLatin1String("number"))
        return text.toLongLong();
    if (kind == QLatin1String("double"))
        return text.toDouble();
    if (kind == QLatin1String("stringlist"))
        return stored.items;
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

// Reads the value element of the property the reader stands on, up to the property's end.
TFormLoader::StoredValue ReadStoredValue(QXmlStreamReader &in)
{
    TFormLoader::StoredValue value;
    if (!in.readNextStartElement())
        return value;
    value.kind = in.name().toString();
    if (value.kind == QLatin1String("stringlist")) {
        while (in.readNextStartElement()) {
            if (in.name() == QLatin1String("string"))
                value.items << in.readElementText();
            else
                in.skipCurrentElement();
        }
    } else {
        value.text = in.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    in.skipCurrentElement();
    return value;
}

// Events of the standard controls: the user's change or click, as the layout names them.
bool BindStandardEvent(QObject *component, const QByteArray &event, TEventRelay *relay)
{
    if (event == "OnChange") {
        if (auto *edit = qobject_cast<QLineEdit *>(component))
            return QObject::connect(edit, &QLineEdit::textChanged, relay, &TEventRelay::Fire);
        if (auto *combo = qobject_cast<QComboBox *>(component))
            return QObject::connect(combo, &QComboBox::activated, relay, &TEventRelay::Fire);
    }
    if (event == "OnClick") {
        // Checking a radio button raises its click, also when checked from code.
        if (auto *radio = qobject_cast<QRadioButton *>(component))
            return QObject::connect(radio, &QRadioButton::toggled, relay, [relay](bool checked) {
                if (checked)
                    relay->Fire();
            });
        if (auto *button = qobject_cast<QAbstractButton *>(component))
            return QObject::connect(button, &QAbstractButton::clicked, relay, &TEventRelay::Fire);
        if (auto *action = qobject_cast<QAction *>(component))
            return QObject::connect(action, &QAction::triggered, relay, &TEventRelay::Fire);
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

void TFormLoader::RegisterClass(const TClassEntry &entry)
{
    QVector<TClassEntry> &classes = RegisteredClasses();
    const auto known = std::find_if(classes.begin(), classes.end(),
                                    [&](const TClassEntry &e) { return qstrcmp(e.name, entry.name) == 0; });
    if (known != classes.end())
        *known = entry;
    else
        classes.append(entry);
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
    m_deferred.clear();
    m_nonVisual.clear();
    m_tabStops.clear();
    QByteArray prepared = Prepare(layout);

    Component::SetLoading(m_form, true);
    struct LoadingEnds
    {
        QWidget *form;
        ~LoadingEnds() { Component::SetLoading(form, false); }
    } loadingEnds{m_form};

    // Widgets resolve their fonts as they are built.
    if (TApplication *app = TApplication::Instance())
        app->AwaitFonts();
    QBuffer buffer(&prepared);
    buffer.open(QIODevice::ReadOnly);
    if (load(&buffer) != m_form)
        throw EReadError(QStringLiteral("Layout could not be read: %1").arg(errorString()));

    for (const NonVisual &component : std::as_const(m_nonVisual))
        CreateNonVisual(component);
    m_components.clear();
    IndexComponents(m_form);
    for (const Deferred &item : std::as_const(m_deferred))
        Resolve(item);

    ApplyTabStops();
    BindFields();
    if (auto *form = qobject_cast<TForm *>(m_form))
        form->ColorClientArea();
    Component::SetLoading(m_form, false);
    // Held weakly: a component's Loaded may delete another.
    QVector<QPointer<QObject>> notified;
    for (QObject *component : m_form->findChildren<QObject *>()) {
        if (dynamic_cast<TLoadedNotification *>(component))
            notified.append(component);
    }
    for (const QPointer<QObject> &component : std::as_const(notified)) {
        if (auto *notification = dynamic_cast<TLoadedNotification *>(component.data()))
            notification->Loaded();
    }
    if (m_onCreate) {
        QObject *sender = m_form;
        RunGuarded([&] { m_onCreate.Notify(sender); });
    }
}

const QMetaObject *TFormLoader::MetaObjectOf(const QString &className) const
{
    if (const TClassEntry *entry = FindClass(className))
        return entry->metaObject;
    return className == QLatin1String(m_form->metaObject()->className()) ? m_form->metaObject() : nullptr;
}

// Designer stores numbers as 32-bit integers; geometry stays within what a window system can
// show (16-bit coordinates), so that no control asks for an image of gigabytes.
void TFormLoader::CheckNumber(const QString &tag, const QString &text, const QVector<Open> &open)
{
    QString component;
    QString property;
    for (auto it = open.crbegin(); it != open.crend() && component.isEmpty(); ++it) {
        if (it->tag == QLatin1String("property") && property.isEmpty())
            property = it->name;
        else if (it->tag == QLatin1String("widget") || it->tag == QLatin1String("action"))
            component = it->name;
    }
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw EReadError(QStringLiteral("Invalid number %1 for %2 of %3").arg(text, property, component));
    if (open.last().tag != QLatin1String("rect") || property != QLatin1String("geometry"))
        return;
    const bool isSize = tag == QLatin1String("width") || tag == QLatin1String("height");
    if (value > MaxCoordinate || value < (isSize ? 0 : -MaxCoordinate - 1))
        throw EReadError(QStringLiteral("Invalid geometry of %1: %2 %3").arg(component, tag, text));
}

QByteArray TFormLoader::Prepare(const QByteArray &layout)
{
    const QString formClass = QString::fromLatin1(m_form->metaObject()->className());
    // The reader's character offsets index this text (a layout is UTF-8); the prepared layout is
    // the text with the taken-out elements cut away.
    const QString text = QString::fromUtf8(layout);
    QXmlStreamReader in(text);
    QString prepared;
    prepared.reserve(text.size());
    qsizetype copied = 0;
    // Cuts the element whose start tag ended at startTagEnd and which the reader has just left.
    const auto cutElement = [&](qsizetype startTagEnd) {
        // A start tag holds no '<' after its first character.
        const qsizetype start = text.lastIndexOf(QLatin1Char('<'), startTagEnd - 1);
        prepared += QStringView(text).sliced(copied, start - copied);
        copied = in.characterOffset();
    };
    QVector<Open> open;
    bool formSeen = false;
    const QStringList standardClasses = availableWidgets();
    // References and fields are resolved by name: one name, one component.
    QSet<QString> names;

    while (!in.atEnd()) {
        const qsizetype tokenStart = in.characterOffset();
        const QXmlStreamReader::TokenType token = in.readNext();
        if (token == QXmlStreamReader::Invalid)
            break;
        // The form builder ignores blank text (indentation makes up a quarter of a layout), so the
        // prepared layout goes without it and the builder reads that much less.
        if (token == QXmlStreamReader::Characters && in.isWhitespace() && !in.isCDATA()) {
            // The reader's offset runs ahead of the token; the blank is what precedes the next tag,
            // when it stands there literally.
            const qsizetype end = text.indexOf(QLatin1Char('<'), tokenStart);
            const qsizetype start = end - in.text().size();
            if (end >= 0 && start >= copied && QStringView(text).sliced(start, end - start) == in.text()) {
                prepared += QStringView(text).sliced(copied, start - copied);
                copied = end;
            }
            continue;
        }
        if (token == QXmlStreamReader::StartElement) {
            const QString tag = in.name().toString();
            const QString className = in.attributes().value(QLatin1String("class")).toString();
            const QString name = in.attributes().value(QLatin1String("name")).toString();
            const bool ofComponent = !open.isEmpty() && (open.last().tag == QLatin1String("widget") ||
                                                         open.last().tag == QLatin1String("action"));
            if ((tag == QLatin1String("widget") || tag == QLatin1String("action")) && !name.isEmpty()) {
                if (names.contains(name))
                    throw EReadError(QStringLiteral("Component name %1 is used twice").arg(name));
                names.insert(name);
            }
            if (tag == QLatin1String("tabstop")) {
                m_tabStops.append(in.readElementText());
                continue;
            }
            if (tag == QLatin1String("widget")) {
                if (!formSeen) {
                    // A layout made for the generic page class loads into any page class.
                    const bool generic = className == QLatin1String("TForm") && m_form->inherits("TForm");
                    if (className != formClass && !generic)
                        throw EReadError(QStringLiteral("Layout is for class %1, not %2").arg(className, formClass));
                    formSeen = true;
                } else if (!FindClass(className) && !standardClasses.contains(className)) {
                    throw EReadError(QStringLiteral("Class %1 not found (component %2)").arg(className, name));
                }
                if (IsNonVisual(className)) {
                    const qsizetype startTagEnd = in.characterOffset();
                    ReadNonVisual(in, className, name);
                    cutElement(startTagEnd);
                    continue;
                }
            } else if (tag == QLatin1String("property") && ofComponent) {
                const QString property = in.attributes().value(QLatin1String("name")).toString();
                const QMetaObject *meta = MetaObjectOf(open.last().className);
                if (FindClass(open.last().className) && IsWithoutMeaning(property) && meta &&
                    meta->indexOfProperty(property.toLatin1().constData()) < 0) {
                    const qsizetype startTagEnd = in.characterOffset();
                    ReadStoredValue(in);
                    cutElement(startTagEnd);
                    continue;
                }
                if (IsEventName(property) || IsReference(meta, property)) {
                    const qsizetype startTagEnd = in.characterOffset();
                    m_deferred.append({open.last().name, property, ReadStoredValue(in).text});
                    cutElement(startTagEnd);
                    continue;
                }
                if (const int index = meta ? meta->indexOfProperty(property.toLatin1().constData()) : -1;
                    index >= 0 && meta->property(index).isEnumType()) {
                    // An unknown key would reach the library's setters as an invalid value.
                    const StoredValue value = ReadStoredValue(in);
                    if (!ReadValue(value, meta->property(index)).isValid())
                        throw EReadError(QStringLiteral("Invalid value %1 for %2 of %3")
                                             .arg(value.text, property, open.last().name));
                    continue;
                }
            }
            if (const QString parent = open.isEmpty() ? QString() : open.last().tag;
                tag == QLatin1String("number") || parent == QLatin1String("rect") || parent == QLatin1String("size")) {
                CheckNumber(tag, in.readElementText(), open);
                continue;
            }
            open.append({tag, className, name});
        } else if (token == QXmlStreamReader::EndElement) {
            open.removeLast();
        }
    }
    if (in.hasError())
        throw EReadError(QStringLiteral("Layout is not readable: %1 (line %2)").arg(in.errorString()).arg(in.lineNumber()));
    if (!formSeen)
        throw EReadError(QStringLiteral("Layout holds no form"));
    prepared += QStringView(text).sliced(copied);
    return prepared.toUtf8();
}

void TFormLoader::ReadNonVisual(QXmlStreamReader &in, const QString &className, const QString &name)
{
    NonVisual component{className, name, {}};
    const QMetaObject *meta = MetaObjectOf(className);
    while (in.readNextStartElement()) {
        if (in.name() != QLatin1String("property")) {
            in.skipCurrentElement();
            continue;
        }
        const QString property = in.attributes().value(QLatin1String("name")).toString();
        const StoredValue value = ReadStoredValue(in);
        if (IsEventName(property) || IsReference(meta, property))
            m_deferred.append({name, property, value.text});
        else
            component.properties.append({property, value});
    }
    m_nonVisual.append(component);
}

QWidget *TFormLoader::createWidget(const QString &className, QWidget *parent, const QString &name)
{
    QWidget *widget = nullptr;
    if (!parent && (className == QLatin1String(m_form->metaObject()->className()) || className == QLatin1String("TForm")))
        widget = m_form;
    else if (const TClassEntry *entry = FindClass(className))
        widget = qobject_cast<QWidget *>(entry->create(parent));
    else
        return QUiLoader::createWidget(className, parent, name);
    widget->setObjectName(name);
    return widget;
}

void TFormLoader::CreateNonVisual(const NonVisual &stored)
{
    QObject *component = CreateComponent(stored.className, m_form);
    component->setObjectName(stored.name);
    const QMetaObject *meta = component->metaObject();
    for (const auto &[name, value] : stored.properties) {
        if (name == QLatin1String("geometry"))
            continue; // where a designer shows the component's icon
        const int index = meta->indexOfProperty(name.toLatin1().constData());
        const QVariant converted = index >= 0 ? ReadValue(value, meta->property(index)) : QVariant();
        if (!converted.isValid() || !meta->property(index).write(component, converted))
            throw EReadError(QStringLiteral("Property %1 of %2 cannot be set").arg(name, stored.name));
    }
}

// The stored focus order: each named control with its own controls after it. Qt chains only
// controls with a focus policy, so each pair is given one while it is chained.
void TFormLoader::ApplyTabStops()
{
    QVector<QWidget *> order;
    for (const QString &name : std::as_const(m_tabStops)) {
        auto *widget = qobject_cast<QWidget *>(FindComponent(name));
        if (!widget)
            throw EReadError(QStringLiteral("Component %1 not found (tab order)").arg(name));
        order.append(widget);
        for (QWidget *w = m_form->nextInFocusChain(); w != m_form; w = w->nextInFocusChain()) {
            if (widget->isAncestorOf(w))
                order.append(w);
        }
    }
    for (int i = 1; i < order.size(); ++i) {
        QWidget *first = order.at(i - 1);
        QWidget *second = order.at(i);
        const Qt::FocusPolicy firstPolicy = first->focusPolicy();
        const Qt::FocusPolicy secondPolicy = second->focusPolicy();
        first->setFocusPolicy(firstPolicy == Qt::NoFocus ? Qt::TabFocus : firstPolicy);
        second->setFocusPolicy(secondPolicy == Qt::NoFocus ? Qt::TabFocus : secondPolicy);
        QWidget::setTabOrder(first, second);
        first->setFocusPolicy(firstPolicy);
        second->setFocusPolicy(secondPolicy);
    }
}

void TFormLoader::BindFields()
{
    const QMetaObject *meta = m_form->metaObject();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty field = meta->property(i);
        if (!(field.metaType().flags() & QMetaType::PointerToQObject) || !field.isWritable())
            continue;
        // A field left empty would be a null pointer in the page's handlers.
        const QString name = QString::fromLatin1(field.name());
        const QString fieldOfForm = QStringLiteral("field %1 of %2").arg(name, QString::fromLatin1(meta->className()));
        QObject *component = FindComponent(name);
        if (!component)
            throw EReadError(QStringLiteral("Component %1 not found (%2)").arg(name, fieldOfForm));
        QVariant value = QVariant::fromValue(component);
        if (!value.convert(field.metaType()) || !field.write(m_form, value))
            throw EReadError(QStringLiteral("Component %1 is a %2, not a %3 (%4)")
                                 .arg(name, QString::fromLatin1(component->metaObject()->className()),
                                      QString::fromLatin1(field.metaType().name()).remove(QLatin1Char('*')),
                                      fieldOfForm));
    }
}

void TFormLoader::IndexComponents(const QObject *parent)
{
    // The order findChild searches in, so that the first of equal names is the one it finds.
    for (QObject *child : parent->children()) {
        if (const QString name = child->objectName(); !name.isEmpty() && !m_components.contains(name))
            m_components.insert(name, child);
    }
    for (const QObject *child : parent->children())
        IndexComponents(child);
}

QObject *TFormLoader::FindComponent(const QString &name) const
{
    if (m_form->objectName() == name)
        return m_form;
    if (QObject *component = m_components.value(name))
        return component;
    return m_form->findChild<QObject *>(name); // one created since the index was made
}

void TFormLoader::Resolve(const Deferred &item)
{
    QObject *component = FindComponent(item.component);
    if (!component)
        throw EReadError(QStringLiteral("Component %1 not found").arg(item.component));
    if (IsEventName(item.property)) {
        if (!item.value.isEmpty()) // an empty name: an event left unassigned
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
    // An empty name clears the reference.
    QVariant value = target ? QVariant::fromValue(target) : QVariant(property.metaType());
    if (!value.convert(property.metaType()) || !property.write(component, value))
        throw EReadError(QStringLiteral("Component %1 does not fit %2 of %3")
                             .arg(item.value, item.property, item.component));
}

void TFormLoader::BindEvent(QObject *component, const QByteArray &event, const QString &handlerName)
{
    const QMetaObject *formMeta = m_form->metaObject();
    const QByteArray name = handlerName.toLatin1();
    QMetaMethod handler;
    for (int i = 0; i < formMeta->methodCount(); ++i) {
        const QMetaMethod method = formMeta->method(i);
        if (method.name() == name && method.methodType() != QMetaMethod::Signal) {
            handler = method;
            break;
        }
    }
    if (!handler.isValid())
        throw EReadError(QStringLiteral("Method %1 not found (%2 of %3)")
                             .arg(handlerName, QString::fromLatin1(event), component->objectName()));
    const TMethod method(m_form, handler);

    if (component == m_form && event == "OnCreate") {
        CheckHandler(method, event, component, nullptr, {"QObject*"});
        m_onCreate = method;
        return;
    }
    if (auto *binding = dynamic_cast<TEventBinding *>(component); binding && binding->BindEvent(event, method))
        return;

    const QMetaObject *meta = component->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod signal = meta->method(i);
        if (signal.methodType() != QMetaMethod::Signal || signal.name() != event)
            continue;
        // Events with no more than a Sender reach the handler with the component as Sender.
        const QMetaObject *relayMeta = &TEventRelay::staticMetaObject;
        const QMetaMethod slot = signal.parameterCount() <= 1
                                     ? relayMeta->method(relayMeta->indexOfSlot("Fire()"))
                                     : relayMeta->method(relayMeta->indexOfSlot(
                                           QByteArray(signal.parameterCount() == 5 ? "FireMouse" : "FireMove") +
                                           signal.methodSignature().mid(signal.name().size())));
        QList<const char *> parameters;
        const QList<QByteArray> types = signal.parameterTypes();
        for (const QByteArray &type : types)
            parameters.append(type.constData());
        if (parameters.isEmpty())
            parameters.append("QObject*");
        CheckHandler(method, event, component, nullptr, parameters);
        if (!slot.isValid())
            break;
        QObject::connect(component, signal, new TEventRelay(component, event, method), slot);
        return;
    }
    auto *relay = new TEventRelay(component, event, method);
    const bool bound = BindStandardEvent(component, event, relay);
    if (bound && method.Fits(nullptr, {"QObject*"}))
        return;
    delete relay;
    if (bound)
        CheckHandler(method, event, component, nullptr, {"QObject*"});
    throw EReadError(QStringLiteral("Event %1 not found on %2 (%3)")
                         .arg(QString::fromLatin1(event), component->objectName(), QString::fromLatin1(meta->className())));
}
