#pragma once

#include "designerwidgets.h"

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

// Creates one library class in design mode.
class TWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    TWidgetPlugin(const TDesignerWidget &widget, QObject *parent);

    QString name() const override { return m_widget.className; }
    QString group() const override { return QStringLiteral("Setup controls"); }
    QString toolTip() const override { return m_widget.toolTip; }
    QString whatsThis() const override { return m_widget.toolTip; }
    QString includeFile() const override { return m_widget.header; }
    QIcon icon() const override;
    bool isContainer() const override { return m_widget.container; }
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface *core) override;
    QString domXml() const override;

private:
    TDesignerWidget m_widget;
    bool m_initialized = false;
};

class TSetupCtrlsCollection : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
public:
    explicit TSetupCtrlsCollection(QObject *parent = nullptr);
    QList<QDesignerCustomWidgetInterface *> customWidgets() const override { return m_widgets; }

private:
    QList<QDesignerCustomWidgetInterface *> m_widgets;
};
