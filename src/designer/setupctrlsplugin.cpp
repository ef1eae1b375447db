#include "setupctrlsplugin.h"

#include "component.h"
#include "formloader.h"
#include "referencesheet.h"
#include "supporteritem.h"

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

#include <QIcon>
#include <QSet>

namespace {

bool IsSupporter(const TDesignerWidget &widget)
{
    return TFormLoader::IsNonVisual(widget.className);
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
        .arg(IsSupporter(m_widget) ? SupporterItem::DefaultProperties() : QString());
}

TSetupCtrlsCollection::TSetupCtrlsCollection(QObject *parent) : QObject(parent)
{
    for (const TDesignerWidget &widget : DesignerWidgets())
        m_widgets.append(new TWidgetPlugin(widget, this));
}
