#include "referencesheet.h"

#include "colors.h"
#include "component.h"
#include "designerwidgets.h"
#include "form.h"
#include "formloader.h"
#include "setupsupporter.h"

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QExtensionManager>
#include <QtDesigner/private/ui4_p.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QMetaProperty>
#include <QTimer>
#include <QTimerEvent>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

namespace {

QVector<TReferenceSheet *> &Sheets()
{
    static QVector<TReferenceSheet *> sheets;
    return sheets;
}

QMetaProperty ReferenceProperty(const QObject *object, const QString &name)
{
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    if (index < QWidget::staticMetaObject.propertyCount())
        return {};
    const QMetaProperty property = meta->property(index);
    return property.metaType().flags() & QMetaType::PointerToQObject ? property : QMetaProperty();
}

// A colour property: the layout stores it as a number.
bool IsColor(const QMetaProperty &property)
{
    return property.metaType() == QMetaType::fromType<TColor>() && QByteArray(property.name()).endsWith("Color");
}

QString Text(const QVariant &value)
{
    if (value.canConvert<qdesigner_internal::PropertySheetStringValue>())
        return value.value<qdesigner_internal::PropertySheetStringValue>().value();
    return value.toString();
}

const TDesignerWidget *LibraryClass(const QObject *object)
{
    const QString className = QLatin1String(object->metaObject()->className());
    const auto &widgets = DesignerWidgets();
    const auto widget = std::find_if(widgets.cbegin(), widgets.cend(),
                                     [&](const TDesignerWidget &w) { return w.className == className; });
    return object->isWidgetType() && widget != widgets.cend() ? &*widget : nullptr;
}

// The events the layout loader binds on the component: those of a library class, OnChange of
// text boxes and lists, OnClick of buttons and actions.
QStringList EventsOf(const QObject *object)
{
    if (const TDesignerWidget *widget = LibraryClass(object))
        return widget->events;
    if (qobject_cast<const QLineEdit *>(object) || qobject_cast<const QComboBox *>(object))
        return {QStringLiteral("OnChange")};
    if (qobject_cast<const QAbstractButton *>(object) || qobject_cast<const QAction *>(object))
        return {QStringLiteral("OnClick")};
    return {};
}

QWidget *FormOf(const QObject *object)
{
    auto *widget = qobject_cast<const QWidget *>(object);
    if (QDesignerFormWindowInterface *form = QDesignerFormWindowInterface::findFormWindow(const_cast<QWidget *>(widget)))
        return form->mainContainer();
    return widget ? widget->window() : nullptr;
}

} // namespace

TReferenceSheet::TReferenceSheet(QObject *object, QObject *parent) : QDesignerPropertySheet(object, parent)
{
    // The design mode flag is no property of the page.
    if (const int designing = QDesignerPropertySheet::indexOf(QStringLiteral("csDesigning")); designing >= 0) {
        setVisible(designing, false);
        setAttribute(designing, true);
    }
    const QString className = QLatin1String(object->metaObject()->className());
    const QMetaObject *meta = object->metaObject();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QString name = QLatin1String(meta->property(i).name());
        if (ReferenceProperty(object, name).isValid())
            m_references.insert(name, AddNamed(name, QString()));
    }
    // A new component's values: those the stored ones are compared with.
    QWidget scratch;
    if (TFormLoader::IsNonVisual(className)) {
        TSetupSupporter defaults(nullptr);
        const QMetaObject *supporter = defaults.metaObject();
        for (int i = QObject::staticMetaObject.propertyCount(); i < supporter->propertyCount(); ++i) {
            const QMetaProperty stored = supporter->property(i);
            if (stored.isStored() && stored.isWritable())
                AddNamed(QLatin1String(stored.name()), stored.read(&defaults));
        }
    } else if (const std::unique_ptr<QObject> fresh(TFormLoader::CreateComponent(className, &scratch)); fresh) {
        for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
            const QMetaProperty colour = meta->property(i);
            if (!IsColor(colour))
                continue;
            const int index = createFakeProperty(QLatin1String(colour.name()), QColor());
            setVisible(index, true);
            m_colorDefaults.insert(index, colour.read(fresh.get()));
        }
    }
    for (const QString &event : EventsOf(object))
        AddNamed(event, QString());
    Sheets().append(this);
}

TReferenceSheet::~TReferenceSheet()
{
    Sheets().removeOne(this);
}

int TReferenceSheet::AddNamed(const QString &name, const QVariant &initial)
{
    const QVariant value = initial.metaType() == QMetaType::fromType<QString>()
                               ? QVariant::fromValue(qdesigner_internal::PropertySheetStringValue(initial.toString()))
                               : initial;
    const int index = createFakeProperty(name, value);
    setVisible(index, true);
    setAttribute(index, false);
    // Events and the supporter's values are listed with the class, as its own properties are.
    if (propertyGroup(index).isEmpty())
        setPropertyGroup(index, QLatin1String(object()->metaObject()->className()));
    m_defaults.insert(index, value);
    return index;
}

QString TReferenceSheet::ReferenceAt(int index) const
{
    return m_references.key(index);
}

QVariant TReferenceSheet::property(int index) const
{
    if (m_colorDefaults.contains(index))
        return ColorToQColor(object()->property(propertyName(index).toLatin1().constData()).toUInt(),
                             qobject_cast<QWidget *>(object()));
    return QDesignerPropertySheet::property(index);
}

void TReferenceSheet::setProperty(int index, const QVariant &value)
{
    if (m_colorDefaults.contains(index)) {
        // The editor hands over a colour, a layout read in a number.
        const TColor stored = value.metaType() == QMetaType::fromType<QColor>() ? ColorFromQColor(value.value<QColor>())
                                                                                : value.toUInt();
        object()->setProperty(propertyName(index).toLatin1().constData(), stored);
        return;
    }
    if (IsPicture(index) && Editing()) {
        m_typedPicture = value;
        m_pictureCheck.start(EditingCheckMs, this);
        return;
    }
    QDesignerPropertySheet::setProperty(index, value);
    const QString reference = ReferenceAt(index);
    if (reference.isEmpty())
        return;
    const QString target = Text(value);
    auto *widget = qobject_cast<QWidget *>(object());
    if (QDesignerFormWindowInterface *window = QDesignerFormWindowInterface::findFormWindow(widget);
        window && window->mainContainer()) {
        Assign(reference, target, false);
        return;
    }
    // While Designer reads a form (its main container not yet set), the component named may
    // come later in the layout.
    QTimer::singleShot(0, this, [this, reference, target] { Assign(reference, target, true); });
}

bool TReferenceSheet::isChanged(int index) const
{
    if (const auto colour = m_colorDefaults.constFind(index); colour != m_colorDefaults.cend())
        return object()->property(propertyName(index).toLatin1().constData()) != *colour;
    if (const auto initial = m_defaults.constFind(index); initial != m_defaults.cend()) {
        const QVariant current = property(index);
        return initial->metaType() == QMetaType::fromType<qdesigner_internal::PropertySheetStringValue>()
                   ? Text(current) != Text(*initial)
                   : current != *initial;
    }
    return QDesignerPropertySheet::isChanged(index);
}

bool TReferenceSheet::reset(int index)
{
    if (const auto colour = m_colorDefaults.constFind(index); colour != m_colorDefaults.cend()) {
        setProperty(index, *colour);
        return true;
    }
    if (const auto initial = m_defaults.constFind(index); initial != m_defaults.cend()) {
        setProperty(index, *initial);
        return true;
    }
    return QDesignerPropertySheet::reset(index);
}

void TReferenceSheet::ToStored(DomWidget *saved) const
{
    for (DomProperty *stored : saved->elementProperty()) {
        const int index = indexOf(stored->attributeName());
        if (m_defaults.contains(index)) {
            stored->setAttributeStdset(0);
        } else if (m_colorDefaults.contains(index)) {
            const TColor colour = object()->property(stored->attributeName().toLatin1().constData()).toUInt();
            // A number as the loader reads it: a system colour does not fit one.
            if (colour <= TColor(std::numeric_limits<int>::max()))
                stored->setElementNumber(int(colour));
            else
                stored->setElementUInt(colour);
        }
    }
}

void TReferenceSheet::Assign(const QString &reference, const QString &target, bool loading)
{
    QObject *component = object();
    QWidget *form = FormOf(component);
    if (!form)
        return;
    const QMetaProperty property = ReferenceProperty(component, reference);
    QObject *found = nullptr;
    if (!target.isEmpty()) {
        found = form->objectName() == target ? form : form->findChild<QObject *>(target);
        if (!found) {
            // While a layout is read the name may come later; it is kept as it is.
            if (!loading)
                Refuse(reference, QStringLiteral("Component %1 not found (%2 of %3)")
                                      .arg(target, reference, component->objectName()));
            return;
        }
    }
    // An empty name clears the reference.
    QVariant held = found ? QVariant::fromValue(found) : QVariant(property.metaType());
    if (found && !held.convert(property.metaType())) {
        Refuse(reference, QStringLiteral("Component %1 is a %2, not a %3 (%4 of %5)")
                              .arg(target, QLatin1String(found->metaObject()->className()),
                                   QLatin1String(property.metaType().metaObject()->className()), reference,
                                   component->objectName()));
        return;
    }
    if (reference == m_refused)
        m_refusalCheck.stop();
    Component::SetLoading(form, loading);
    property.write(component, held);
    Component::SetLoading(form, false);
    ShowHeldReferences(form);
}

void TReferenceSheet::Refuse(const QString &reference, const QString &text)
{
    m_refused = reference;
    m_refusal = text;
    m_refusalCheck.start(EditingCheckMs, this);
}

bool TReferenceSheet::Editing() const
{
    const QWidget *focus = QApplication::focusWidget();
    const QDesignerFormEditorInterface *editor = core();
    return qobject_cast<const QLineEdit *>(focus) && editor && editor->propertyEditor() &&
           editor->propertyEditor()->isAncestorOf(focus);
}

bool TReferenceSheet::IsPicture(int index) const
{
    return object()->inherits("TBoardImage") && propertyName(index) == QLatin1String("Picture");
}

void TReferenceSheet::timerEvent(QTimerEvent *event)
{
    const bool refusal = event->timerId() == m_refusalCheck.timerId();
    if (!refusal && event->timerId() != m_pictureCheck.timerId()) {
        QDesignerPropertySheet::timerEvent(event);
        return;
    }
    if (Editing())
        return;
    if (refusal) {
        m_refusalCheck.stop();
        ShowRefusal();
        return;
    }
    m_pictureCheck.stop();
    QDesignerPropertySheet::setProperty(indexOf(QStringLiteral("Picture")), std::exchange(m_typedPicture, QVariant()));
}

void TReferenceSheet::ShowRefusal()
{
    const QString reference = m_refused;
    QMessageBox::critical(FormOf(object()), QStringLiteral("Error"), m_refusal);
    const QObject *held = ReferenceProperty(object(), reference).read(object()).value<QObject *>();
    const QVariant shown = QVariant::fromValue(qdesigner_internal::PropertySheetStringValue(held ? held->objectName() : QString()));
    QDesignerPropertySheet::setProperty(m_references.value(reference), shown);
    if (QDesignerFormEditorInterface *editor = core(); editor && editor->propertyEditor() &&
                                                       editor->propertyEditor()->object() == object())
        editor->propertyEditor()->setPropertyValue(reference, shown, true);
}

void TReferenceSheet::ShowHeldReferences(const QObject *form)
{
    for (TReferenceSheet *sheet : std::as_const(Sheets())) {
        if (FormOf(sheet->object()) == form)
            sheet->ShowHeld();
    }
}

void TReferenceSheet::ShowHeld()
{
    for (auto it = m_references.cbegin(); it != m_references.cend(); ++it) {
        const QObject *held = ReferenceProperty(object(), it.key()).read(object()).value<QObject *>();
        const QString shown = Text(property(it.value()));
        QString name = held ? held->objectName() : QString();
        // A name the form does not hold yet stays as entered.
        if (!held && !FormOf(object())->findChild<QObject *>(shown))
            name = shown;
        if (name == shown)
            continue;
        QDesignerPropertySheet::setProperty(it.value(),
                                            QVariant::fromValue(qdesigner_internal::PropertySheetStringValue(name)));
        if (QDesignerFormEditorInterface *editor = core(); editor && editor->propertyEditor() &&
                                                           editor->propertyEditor()->object() == object())
            editor->propertyEditor()->setPropertyValue(it.key(), property(it.value()), true);
    }
}

TStoredForm::TStoredForm(QWidget *widget, QDesignerFormEditorInterface *core, QObject *parent)
    : QObject(parent), m_widget(widget), m_core(core)
{
}

bool TStoredForm::saveWidgetExtraInfo(DomWidget *saved)
{
    QObject *sheet = m_core->extensionManager()->extension(m_widget, Q_TYPEID(QDesignerPropertySheetExtension));
    if (auto *component = qobject_cast<TReferenceSheet *>(sheet))
        component->ToStored(saved);
    else if (auto *form = qobject_cast<TFormSheet *>(sheet))
        form->ToStored(saved);
    return true;
}

TFormSheet::TFormSheet(QObject *object, QObject *parent) : QDesignerPropertySheet(object, parent)
{
    const TForm defaults;
    const QMetaObject &form = TForm::staticMetaObject;
    for (const char *name : {"WindowState", "Position", "Align"}) {
        const QMetaProperty stored = form.property(form.indexOfProperty(name));
        const QMetaEnum values = stored.enumerator();
        qdesigner_internal::DesignerMetaEnum meta(QLatin1String(values.name()), QLatin1String(form.className()),
                                                  QStringLiteral("::"));
        for (int i = 0; i < values.keyCount(); ++i)
            meta.addKey(values.value(i), QLatin1String(values.key(i)));
        const int index = createFakeProperty(
            QLatin1String(name),
            QVariant::fromValue(qdesigner_internal::PropertySheetEnumValue(stored.read(&defaults).toInt(), meta)));
        setPropertyGroup(index, QLatin1String(form.className()));
        m_enumerations.insert(index, meta);
    }
    m_onCreate = createFakeProperty(QStringLiteral("OnCreate"),
                                    QVariant::fromValue(qdesigner_internal::PropertySheetStringValue()));
    setPropertyGroup(m_onCreate, QLatin1String(form.className()));
}

bool TFormSheet::isChanged(int index) const
{
    return index == m_onCreate ? !Text(property(index)).isEmpty() : QDesignerPropertySheet::isChanged(index);
}

bool TFormSheet::reset(int index)
{
    if (index != m_onCreate)
        return QDesignerPropertySheet::reset(index);
    setProperty(index, QVariant::fromValue(qdesigner_internal::PropertySheetStringValue()));
    return true;
}

void TFormSheet::ToStored(DomWidget *saved) const
{
    for (DomProperty *stored : saved->elementProperty()) {
        if (indexOf(stored->attributeName()) == m_onCreate)
            stored->setAttributeStdset(0);
    }
}

void TFormSheet::setProperty(int index, const QVariant &value)
{
    using qdesigner_internal::PropertySheetEnumValue;
    const auto enumeration = m_enumerations.constFind(index);
    if (enumeration == m_enumerations.cend() || value.metaType() == QMetaType::fromType<PropertySheetEnumValue>()) {
        QDesignerPropertySheet::setProperty(index, value);
        return;
    }
    QDesignerPropertySheet::setProperty(index, QVariant::fromValue(PropertySheetEnumValue(value.toInt(), *enumeration)));
}

TReferenceSheetFactory::TReferenceSheetFactory(QExtensionManager *parent, QDesignerFormEditorInterface *core)
    : QExtensionFactory(parent), m_core(core)
{
}

QObject *TReferenceSheetFactory::extension(QObject *object, const QString &iid) const
{
    if (!object)
        return nullptr;
    if (iid == Q_TYPEID(QDesignerExtraInfoExtension)) {
        QObject *sheet = Sheet(object);
        if (!sheet || !object->isWidgetType())
            return nullptr;
        // Owned by the sheet, which goes with the widget.
        if (auto *known = sheet->findChild<TStoredForm *>())
            return known;
        return new TStoredForm(static_cast<QWidget *>(object), m_core, sheet);
    }
    if (iid != Q_TYPEID(QDesignerPropertySheetExtension) && iid != Q_TYPEID(QDesignerDynamicPropertySheetExtension))
        return nullptr;
    return Sheet(object);
}

QObject *TReferenceSheetFactory::Sheet(QObject *object) const
{
    const QPointer<QDesignerPropertySheet> known = m_sheets.value(object);
    if (known)
        return known;
    auto *self = const_cast<TReferenceSheetFactory *>(this);
    QDesignerPropertySheet *sheet = nullptr;
    // A page's form as Designer edits it and as Form > Preview builds it, outside any form window.
    if (object->metaObject() == &QMainWindow::staticMetaObject)
        sheet = new TFormSheet(object, self);
    else if (LibraryClass(object) || !EventsOf(object).isEmpty())
        sheet = new TReferenceSheet(object, self);
    else
        return nullptr;
    m_sheets.insert(object, sheet);
    // Forgotten at once: a new object may come at the same address before the sheet is deleted.
    connect(object, &QObject::destroyed, self, [self, object] { self->m_sheets.remove(object); });
    connect(object, &QObject::destroyed, sheet, &QObject::deleteLater);
    return sheet;
}
