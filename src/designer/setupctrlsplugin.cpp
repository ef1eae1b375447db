#include "setupctrlsplugin.h"

#include "component.h"
#include "designfonts.h"
#include "formloader.h"
#include "referencesheet.h"
#include "setupctrls.h"
#include "setupsupporter.h"
#include "supporteritem.h"

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

#include <QApplication>
#include <QIcon>
#include <QMetaProperty>
#include <QSet>

namespace {

bool IsSupporter(const TDesignerWidget &widget)
{
    return TFormLoader::IsNonVisual(widget.className);
}

// The supporter's stored properties with their defaults, as property elements of a layout.
QString SupporterDefaults()
{
    TSetupSupporter defaults(nullptr);
    const QMetaObject *meta = defaults.metaObject();
    QString xml;
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isStored() || !property.isWritable())
            continue;
        const QVariant value = property.read(&defaults);
        QString element;
        switch (value.metaType().id()) {
        case QMetaType::Bool:
            element = QStringLiteral("<bool>%1</bool>").arg(value.toBool() ? "true" : "false");
            break;
        case QMetaType::Int:
            element = QStringLiteral("<number>%1</number>").arg(value.toInt());
            break;
        default:
            element = QStringLiteral("<string>%1</string>").arg(value.toString().toHtmlEscaped());
            break;
        }
        xml += QStringLiteral("<property name=\"%1\" stdset=\"0\">%2</property>")
                   .arg(QLatin1String(property.name()), element);
    }
    return xml;
}

// The references and events of a new component, unassigned, as the layout stores them: Designer
// lists them in the property editor from the start.
QString ReferencesAndEvents(const QObject *created, const QStringList &events)
{
    QStringList names;
    const QMetaObject *meta = created->metaObject();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        if (meta->property(i).metaType().flags() & QMetaType::PointerToQObject)
            names << QLatin1String(meta->property(i).name());
    }
    QString xml;
    for (const QString &name : names + events)
        xml += QStringLiteral("<property name=\"%1\" stdset=\"0\"><string></string></property>").arg(name);
    return xml;
}

} // namespace

TWidgetPlugin::TWidgetPlugin(const TDesignerWidget &widget, QObject *parent) : QObject(parent), m_widget(widget) {}

QIcon TWidgetPlugin::icon() const
{
    return QIcon(QStringLiteral(":/setupctrls/%1.png").arg(m_widget.className));
}

QWidget *TWidgetPlugin::createWidget(QWidget *parent)
{
    if (IsSupporter(m_widget))
        return SupporterItem::Create(parent);
    // Design mode before the first paint, and before Designer sets any stored property.
    auto *widget = qobject_cast<QWidget *>(TFormLoader::CreateComponent(m_widget.className, parent));
    Component::SetDesigning(widget, true);
    // Designer's surface shows every control, those that start hidden included.
    widget->show();
    return widget;
}

void TWidgetPlugin::initialize(QDesignerFormEditorInterface *core)
{
    if (m_initialized)
        return;
    m_initialized = true;
    // One sheet factory per form editor, whichever class is initialised first.
    static QSet<QDesignerFormEditorInterface *> registered;
    if (registered.contains(core))
        return;
    registered.insert(core);
    connect(core, &QObject::destroyed, [core] { registered.remove(core); });
    // The page is drawn in the faces it was laid out with, as the program draws it.
    DesignFonts::Install(DesignFonts::WineDirectory(), qApp->devicePixelRatio());
    QExtensionManager *manager = core->extensionManager();
    auto *factory = new TReferenceSheetFactory(manager);
    manager->registerExtensions(factory, Q_TYPEID(QDesignerPropertySheetExtension));
    manager->registerExtensions(factory, Q_TYPEID(QDesignerDynamicPropertySheetExtension));
}

QString TWidgetPlugin::domXml() const
{
    // The defaults are those of a new component: its size and, for the supporter, its values.
    QWidget scratch;
    const QWidget *created = IsSupporter(m_widget)
                                 ? SupporterItem::Create(&scratch)
                                 : qobject_cast<QWidget *>(TFormLoader::CreateComponent(m_widget.className, &scratch));
    return QStringLiteral("<ui language=\"c++\"><widget class=\"%1\" name=\"%2\">"
                          "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width>"
                          "<height>%4</height></rect></property>%5</widget></ui>")
        .arg(m_widget.className, m_widget.className.mid(1) + QLatin1Char('1'))
        .arg(created->width())
        .arg(created->height())
        .arg((IsSupporter(m_widget) ? SupporterDefaults() : QString()) + ReferencesAndEvents(created, m_widget.events));
}

TSetupCtrlsCollection::TSetupCtrlsCollection(QObject *parent) : QObject(parent)
{
    SetupCtrls::RegisterClasses();
    for (const TDesignerWidget &widget : DesignerWidgets())
        m_widgets.append(new TWidgetPlugin(widget, this));
}
