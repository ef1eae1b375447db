#include "referencesheet.h"

#include "component.h"
#include "designerwidgets.h"
#include "form.h"

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerPropertyEditorInterface>

#include <QMainWindow>
#include <QMetaProperty>
#include <algorithm>
#include <QTimer>
#include <QWidget>

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

QString Text(const QVariant &value)
{
    if (value.canConvert<qdesigner_internal::PropertySheetStringValue>())
        return value.value<qdesigner_internal::PropertySheetStringValue>().value();
    return value.toString();
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
    // The pointer-typed properties themselves are neither shown nor stored, nor is the design
    // mode flag.
    if (const int designing = QDesignerPropertySheet::indexOf(QStringLiteral("csDesigning")); designing >= 0) {
        setVisible(designing, false);
        setAttribute(designing, true);
    }
    const QMetaObject *meta = object->metaObject();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        if (ReferenceProperty(object, QLatin1String(meta->property(i).name())).isValid()) {
            const int index = QDesignerPropertySheet::indexOf(QLatin1String(meta->property(i).name()));
            setVisible(index, false);
            setAttribute(index, true);
        }
    }
    Sheets().append(this);
}

TReferenceSheet::~TReferenceSheet()
{
    Sheets().removeOne(this);
}

int TReferenceSheet::indexOf(const QString &name) const
{
    if (ReferenceProperty(object(), name).isValid())
        return m_references.value(name, -1);
    return QDesignerPropertySheet::indexOf(name);
}

bool TReferenceSheet::canAddDynamicProperty(const QString &name) const
{
    if (ReferenceProperty(object(), name).isValid())
        return !m_references.contains(name);
    return QDesignerPropertySheet::canAddDynamicProperty(name);
}

int TReferenceSheet::addDynamicProperty(const QString &name, const QVariant &value)
{
    const int index = QDesignerPropertySheet::addDynamicProperty(name, value);
    if (index >= 0 && ReferenceProperty(object(), name).isValid())
        m_references.insert(name, index);
    return index;
}

bool TReferenceSheet::removeDynamicProperty(int index)
{
    const QString reference = ReferenceAt(index);
    if (!QDesignerPropertySheet::removeDynamicProperty(index))
        return false;
    if (!reference.isEmpty()) {
        m_references.remove(reference);
        Assign(reference, QString(), false);
    }
    return true;
}

QString TReferenceSheet::ReferenceAt(int index) const
{
    return m_references.key(index);
}

void TReferenceSheet::setProperty(int index, const QVariant &value)
{
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

void TReferenceSheet::Assign(const QString &reference, const QString &target, bool loading)
{
    QObject *component = object();
    QWidget *form = FormOf(component);
    if (!form)
        return;
    QObject *found = nullptr;
    if (!target.isEmpty()) {
        found = form->objectName() == target ? form : form->findChild<QObject *>(target);
        if (!found)
            return; // a name not (yet) on the form is kept as it is
    }
    const QMetaProperty property = ReferenceProperty(component, reference);
    // None is a null pointer of the property's own type: a null QObject * does not convert.
    QVariant held = found ? QVariant::fromValue(found) : QVariant(property.metaType());
    if (!held.convert(property.metaType()))
        return;
    Component::SetLoading(form, loading);
    property.write(component, held);
    Component::SetLoading(form, false);
    ShowHeldReferences(form);
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

TReferenceSheetFactory::TReferenceSheetFactory(QExtensionManager *parent) : QExtensionFactory(parent) {}

QObject *TReferenceSheetFactory::extension(QObject *object, const QString &iid) const
{
    if (iid != Q_TYPEID(QDesignerPropertySheetExtension) && iid != Q_TYPEID(QDesignerDynamicPropertySheetExtension))
        return nullptr;
    if (!object)
        return nullptr;
    const QPointer<QDesignerPropertySheet> known = m_sheets.value(object);
    if (known)
        return known;
    auto *self = const_cast<TReferenceSheetFactory *>(this);
    auto *widget = qobject_cast<QWidget *>(object);
    const QString className = QLatin1String(object->metaObject()->className());
    const auto &widgets = DesignerWidgets();
    QDesignerPropertySheet *sheet = nullptr;
    if (widget && widget->metaObject() == &QMainWindow::staticMetaObject &&
        QDesignerFormWindowInterface::findFormWindow(widget))
        sheet = new TFormSheet(object, self);
    else if (widget && std::any_of(widgets.cbegin(), widgets.cend(), [&](const TDesignerWidget &w) { return w.className == className; }))
        sheet = new TReferenceSheet(object, self);
    else
        return nullptr;
    m_sheets.insert(object, sheet);
    // Forgotten at once: a new object may come at the same address before the sheet is deleted.
    connect(object, &QObject::destroyed, self, [self, object] { self->m_sheets.remove(object); });
    connect(object, &QObject::destroyed, sheet, &QObject::deleteLater);
    return sheet;
}
