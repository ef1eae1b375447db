#include "boardhighlight.h"
#include "formloader.h"
#include "component.h"
#include "template.h"
#include "warningguard.h"

#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include <QFile>
#include <QMainWindow>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QList<QDesignerCustomWidgetInterface *> PluginWidgets(QPluginLoader &loader)
{
    auto *collection = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(loader.instance());
    return collection ? collection->customWidgets() : QList<QDesignerCustomWidgetInterface *>();
}

// Every component under root with its class and the values of its own stored properties.
QStringList Tree(const QObject *root)
{
    QStringList lines;
    for (const QObject *o : root->findChildren<QObject *>()) {
        if (o->objectName().isEmpty() || o->objectName().startsWith(QLatin1String("qt_")))
            continue;
        QString line = o->objectName() + QLatin1Char(' ') + QLatin1String(o->metaObject()->className());
        const QMetaObject *meta = o->metaObject();
        for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
            const QMetaProperty p = meta->property(i);
            const QVariant v = p.read(o);
            line += QLatin1Char(' ') + QLatin1String(p.name()) + QLatin1Char('=') +
                    (p.metaType().flags() & QMetaType::PointerToQObject
                         ? (v.value<QObject *>() ? v.value<QObject *>()->objectName() : QString())
                         : v.toString());
        }
        // A main window places its menu bar and central widget itself.
        if (auto *w = qobject_cast<const QWidget *>(o); w && !qobject_cast<const QMainWindow *>(w->parent()))
            line += QStringLiteral(" at %1,%2 %3x%4").arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height());
        lines << line;
    }
    lines.sort();
    return lines;
}

} // namespace

TEST(DesignerPlugin, ListsTheClassesAndCreatesThemInDesignMode)
{
    QPluginLoader loader(QStringLiteral(SETUPCTRLS_DESIGNER_PLUGIN));
    const QList<QDesignerCustomWidgetInterface *> widgets = PluginWidgets(loader);
    ASSERT_TRUE(loader.isLoaded()) << qPrintable(loader.errorString());
    QStringList names;
    QWidget form;
    for (QDesignerCustomWidgetInterface *widget : widgets) {
        names << widget->name();
        EXPECT_EQ(widget->group(), QStringLiteral("Setup controls"));
        EXPECT_FALSE(widget->icon().isNull()) << qPrintable(widget->name());
        EXPECT_FALSE(widget->toolTip().isEmpty());
        QWidget *created = widget->createWidget(&form);
        EXPECT_EQ(QLatin1String(created->metaObject()->className()), widget->name());
        EXPECT_TRUE(Component::IsDesigning(created));
        EXPECT_FALSE(created->isHidden()) << qPrintable(widget->name());
        EXPECT_TRUE(widget->domXml().contains(QStringLiteral("class=\"%1\"").arg(widget->name())));
    }
    // Designer hands the mouse to a circle it edits: hovering it opens nothing.
    // The plugin holds its own copy of the library, so the class is told by name.
    TBoardHighlight *circle = nullptr;
    for (QWidget *child : form.findChildren<QWidget *>())
        if (Component::HasClassName(child, "TBoardHighlight"))
            circle = static_cast<TBoardHighlight *>(child);
    ASSERT_TRUE(circle);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(circle, &enter);
    EXPECT_FALSE(circle->Lit());
    EXPECT_EQ(circle->Popup(), nullptr);
    EXPECT_EQ(names, (QStringList{"TTwoJumper", "TThreeJumper", "TRadioPanel", "TBoardImage", "TBoardHighlight",
                                  "TSetupSupporter"}));
}

// The page opened and saved by Designer loads in the program as the page itself does.
TEST(DesignerPlugin, APageSavedByDesignerLoadsUnchanged)
{
    // Only this plugin: Qt's own Designer plugins need OpenGL.
    const QStringList paths = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({QStringLiteral(SETUPCTRLS_PLUGIN_DIR)});
    // Designer's class database probes every standard widget, OpenGL ones included.
    ExpectQtWarning noOpenGL(QStringLiteral("QOpenGLWidget is not supported"));
    QDesignerFormEditorInterface *core = QDesignerComponents::createFormEditor(nullptr);
    QDesignerComponents::initializePlugins(core);
    QDesignerPropertyEditorInterface *editor = QDesignerComponents::createPropertyEditor(core, nullptr);
    core->setPropertyEditor(editor);
    auto *integration = new QDesignerIntegration(core, core);
    core->setIntegration(integration);
    QDesignerFormWindowInterface *window = core->formWindowManager()->createFormWindow();
    // Opened from its folder, as a page author opens it: Designer reads the resources it names.
    QFile page(QStringLiteral(PAGE_LAYOUT));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    window->setFileName(page.fileName());
    QString error;
    ASSERT_TRUE(window->setContents(&page, &error)) << qPrintable(error);
    QTest::qWait(50);
    const QString saved = window->contents();
    EXPECT_FALSE(saved.contains(QLatin1String("csDesigning"))) << "design mode is not part of the page";
    EXPECT_TRUE(saved.contains(QLatin1String("<enum>TForm::wsMaximized</enum>"))) << "stored as the layout stores it";

    TMainForm original;
    TFormLoader(&original).Load(QStringLiteral(":/layout/MainForm.ui"));
    TMainForm reloaded;
    TFormLoader(&reloaded).Load(saved.toUtf8());
    EXPECT_EQ(Tree(&reloaded).join(QLatin1Char('\n')).toStdString(), Tree(&original).join(QLatin1Char('\n')).toStdString());
    // Designer builds the form as a plain main window; the form's own enumerations survive.
    EXPECT_EQ(reloaded.WindowState(), TMainForm::wsMaximized);
    EXPECT_EQ(reloaded.Position(), original.Position());
    delete window;
    delete integration;
    delete editor;
    delete core;
    QCoreApplication::setLibraryPaths(paths);
}
