#include "setupctrlsplugin.h"

#include "component.h"
#include "designfonts.h"
#include "formloader.h"
#include "referencesheet.h"
#include "setupctrls.h"
#include "supporteritem.h"

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

#include <QApplication>
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
    auto *factory = new TReferenceSheetFactory(manager, core);
    manager->registerExtensions(factory, Q_TYPEID(QDesignerPropertySheetExtension));
    manager->registerExtensions(factory, Q_TYPEID(QDesignerDynamicPropertySheetExtension));
    manager->registerExtensions(factory, Q_TYPEID(QDesignerExtraInfoExtension));
}

QString TWidgetPlugin::domXml() const
{
    // The size of a new component; its sheet lists its other properties.
    QWidget scratch;
    const QWidget *created = IsSupporter(m_widget)
                                 ? SupporterItem::Create(&scratch)
                                 : qobject_cast<QWidget *>(TFormLoader::CreateComponent(m_widget.className, &scratch));
    return QStringLiteral("<ui language=\"c++\"><widget class=\"%1\" name=\"%2\">"
                          "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width>"
                          "<height>%4</height></rect></property></widget></ui>")
        .arg(m_widget.className, m_widget.className.mid(1) + QLatin1Char('1'))
        .arg(created->width())
        .arg(created->height());
}

TSetupCtrlsCollection::TSetupCtrlsCollection(QObject *parent) : QObject(parent)
{
    SetupCtrls::RegisterClasses();
    for (const TDesignerWidget &widget : DesignerWidgets())
        m_widgets.append(new TWidgetPlugin(widget, this));
}
