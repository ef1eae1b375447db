#include "boardhighlight.h"
#include "colors.h"
#include "jumpers.h"
#include "formloader.h"
#include "component.h"
#include "radiopanel.h"
#include "template.h"
#include "warningguard.h"

#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerDynamicPropertySheetExtension>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionManager>
#include <QtDesigner/private/qdesigner_formbuilder_p.h>
#include <QtDesigner/private/qdesigner_utils_p.h>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

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

// A headless Designer with this plugin only (Qt's own Designer plugins need OpenGL), one for all
// tests as in Designer itself: a plugin initialises once, for the first form editor.
class HeadlessDesigner : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        paths = QCoreApplication::libraryPaths();
        QCoreApplication::setLibraryPaths({QStringLiteral(SETUPCTRLS_PLUGIN_DIR)});
        // Designer's class database probes every standard widget, OpenGL ones included.
        ExpectQtWarning noOpenGL(QStringLiteral("QOpenGLWidget is not supported"));
        core = QDesignerComponents::createFormEditor(nullptr);
        QDesignerComponents::initializePlugins(core);
        editor = QDesignerComponents::createPropertyEditor(core, nullptr);
        core->setPropertyEditor(editor);
        integration = new QDesignerIntegration(core, core);
        core->setIntegration(integration);
    }
    static void TearDownTestSuite()
    {
        delete integration;
        delete editor;
        delete core;
        QCoreApplication::setLibraryPaths(paths);
    }
    void SetUp() override { window = core->formWindowManager()->createFormWindow(); }
    void TearDown() override { delete window; }
    void Open(QByteArray form)
    {
        QBuffer buffer(&form);
        buffer.open(QIODevice::ReadOnly);
        QString error;
        ASSERT_TRUE(window->setContents(&buffer, &error)) << qPrintable(error);
        QTest::qWait(50);
    }
    QDesignerPropertySheetExtension *Sheet(const char *name) const
    {
        QWidget *form = window->mainContainer();
        QObject *component = form->objectName() == QLatin1String(name) ? form : form->findChild<QObject *>(QLatin1String(name));
        return component ? qt_extension<QDesignerPropertySheetExtension *>(core->extensionManager(), component) : nullptr;
    }
    static QVariant Name(const char *name)
    {
        return QVariant::fromValue(qdesigner_internal::PropertySheetStringValue(QLatin1String(name)));
    }

    static inline QStringList paths;
    static inline QDesignerFormEditorInterface *core = nullptr;
    static inline QDesignerPropertyEditorInterface *editor = nullptr;
    static inline QDesignerIntegration *integration = nullptr;
    QDesignerFormWindowInterface *window = nullptr;
};

// The page opened and saved by Designer loads in the program as the page itself does.
TEST_F(HeadlessDesigner, APageSavedByDesignerLoadsUnchanged)
{
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
    EXPECT_TRUE(saved.contains(QLatin1String("<property name=\"OnCreate\" stdset=\"0\">\n   <string>FormCreate</string>")));

    TMainForm original;
    TFormLoader(&original).Load(QStringLiteral(":/layout/MainForm.ui"));
    TMainForm reloaded;
    TFormLoader(&reloaded).Load(saved.toUtf8());
    EXPECT_EQ(Tree(&reloaded).join(QLatin1Char('\n')).toStdString(), Tree(&original).join(QLatin1Char('\n')).toStdString());
    // Designer builds the form as a plain main window; the form's own enumerations survive.
    EXPECT_EQ(reloaded.WindowState(), TMainForm::wsMaximized);
    EXPECT_EQ(reloaded.Position(), original.Position());
}

class TCirclePage : public TForm
{
    Q_OBJECT
public:
    int clicks = 0;
public slots:
    void CircleClick(QObject *) { ++clicks; }
};

// A circle as the widget box drops it lists its panel and its click in the property editor;
// what the author types there is saved as the layout loader reads it.
TEST_F(HeadlessDesigner, ANewCircleOffersItsReferenceAndEvent)
{
    QPluginLoader loader(QStringLiteral(SETUPCTRLS_DESIGNER_PLUGIN));
    QString circleXml;
    for (QDesignerCustomWidgetInterface *widget : PluginWidgets(loader)) {
        if (widget->name() == QLatin1String("TBoardHighlight"))
            circleXml = widget->domXml();
    }
    // The drop: Designer builds the dragged widget from the plugin's description.
    const QString body = circleXml.section(QLatin1String("<ui language=\"c++\">"), 1).section(QLatin1String("</ui>"), 0, 0);
    QByteArray form = "<ui version=\"4.0\"><class>TForm</class><widget class=\"TForm\" name=\"Page\">"
                      "<widget class=\"QWidget\" name=\"central\"><widget class=\"TBoardImage\" name=\"Board\">"
                      "<property name=\"Menu\" stdset=\"0\"><string>Bar</string></property>" +
                      body.toUtf8() +
                      "</widget><widget class=\"TRadioPanel\" name=\"Panel\"/></widget>"
                      "<widget class=\"QMenuBar\" name=\"Bar\"/></widget>"
                      "<customwidgets><customwidget><class>TForm</class><extends>QMainWindow</extends>"
                      "<header>form.h</header><container>1</container></customwidget></customwidgets></ui>";
    Open(form);
    QWidget *circle = window->mainContainer()->findChild<QWidget *>(QStringLiteral("BoardHighlight1"));
    ASSERT_NE(circle, nullptr);
    auto *sheet = qt_extension<QDesignerPropertySheetExtension *>(core->extensionManager(), circle);
    const int panel = sheet->indexOf(QStringLiteral("RadioPanel"));
    const int click = sheet->indexOf(QStringLiteral("OnClick"));
    ASSERT_GE(panel, 0);
    ASSERT_GE(click, 0);
    EXPECT_TRUE(sheet->isVisible(panel) && sheet->isVisible(click));
    const int designing = sheet->indexOf(QStringLiteral("csDesigning"));
    EXPECT_TRUE(designing < 0 || !sheet->isVisible(designing)) << "design mode is no property of the page";
    // As the property editor hands over a typed text.
    using qdesigner_internal::PropertySheetStringValue;
    sheet->setProperty(panel, QVariant::fromValue(PropertySheetStringValue(QStringLiteral("Panel"))));
    sheet->setProperty(click, QVariant::fromValue(PropertySheetStringValue(QStringLiteral("CircleClick"))));

    const QString saved = window->contents();
    TCirclePage page;
    TFormLoader(&page).Load(saved.toUtf8());
    auto *loaded = page.findChild<TBoardHighlight *>(QStringLiteral("BoardHighlight1"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->RadioPanel(), page.findChild<TRadioPanel *>(QStringLiteral("Panel")));
    // The menu bar comes after the picture in the layout; its name survives the editing.
    EXPECT_EQ(page.findChild<TBoardImage *>(QStringLiteral("Board"))->Menu(), page.findChild<QMenuBar *>(QStringLiteral("Bar")));
    emit loaded->OnClick(loaded);
    EXPECT_EQ(page.clicks, 1);
}

namespace {

// A form as an older layout stores it: references, events and colours left out or as numbers.
const QByteArray StoredPage = R"(<ui version="4.0"><class>TForm</class><widget class="TForm" name="Page">
<widget class="QWidget" name="central">
 <widget class="TBoardImage" name="Board">
  <widget class="TBoardHighlight" name="Circle"/>
 </widget>
 <widget class="TRadioPanel" name="Panel"><property name="Color"><UInt>2147483653</UInt></property></widget>
 <widget class="TTwoJumper" name="J1"><property name="PinColor"><number>255</number></property></widget>
 <widget class="QLabel" name="Label"/>
 <widget class="QLineEdit" name="Edit"/>
 <widget class="TSetupSupporter" name="SetSup">
  <property name="CompanyName" stdset="0"><string>ORVEL</string></property>
  <property name="Channels" stdset="0"><number>8</number></property>
 </widget>
</widget><action name="Exit1"/></widget>
<customwidgets><customwidget><class>TForm</class><extends>QMainWindow</extends><header>form.h</header>
<container>1</container></customwidget></customwidgets></ui>)";

// Runs call and answers the message box it opens, at once or a moment later; returns the box's text.
QString Told(const std::function<void()> &call)
{
    QString text;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            text = box->text();
            box->done(QMessageBox::Ok);
        }
    });
    poll.start(5);
    call();
    for (int waited = 0; text.isEmpty() && waited < 2000; waited += 10)
        QTest::qWait(10);
    return text;
}

} // namespace

// Components read from a layout list every reference and event too; colours are edited as
// colours and saved as numbers, and only what differs from a new component is saved.
TEST_F(HeadlessDesigner, ALoadedPageOffersEverythingAndSavesOnlyChanges)
{
    Open(StoredPage);
    const QList<QPair<const char *, const char *>> offered = {
        {"Circle", "RadioPanel"}, {"Circle", "OnClick"}, {"Board", "First"}, {"Board", "Menu"},
        {"Panel", "OnRadioChange"}, {"SetSup", "CardNameA"}, {"SetSup", "OnGetCardString"}, {"J1", "PinColor"}, {"Edit", "OnChange"}, {"Exit1", "OnClick"}, {"Page", "OnCreate"}};
    for (const auto &[component, property] : offered) {
        QDesignerPropertySheetExtension *sheet = Sheet(component);
        ASSERT_NE(sheet, nullptr) << component;
        const int index = sheet->indexOf(QLatin1String(property));
        EXPECT_TRUE(index >= 0 && sheet->isVisible(index)) << component << " " << property;
    }
    QDesignerPropertySheetExtension *jumper = Sheet("J1");
    EXPECT_EQ(jumper->property(jumper->indexOf(QStringLiteral("PinColor"))).value<QColor>(), QColor(255, 0, 0));
    jumper->setProperty(jumper->indexOf(QStringLiteral("JumperColor")), QColor(0, 0, 255));
    QDesignerPropertySheetExtension *circle = Sheet("Circle");
    circle->setProperty(circle->indexOf(QStringLiteral("RadioPanel")), Name("Panel"));
    circle->setProperty(circle->indexOf(QStringLiteral("OnClick")), Name("CircleClick"));
    QDesignerPropertySheetExtension *edit = Sheet("Edit");
    edit->setProperty(edit->indexOf(QStringLiteral("OnChange")), Name("CircleClick"));

    const QString saved = window->contents();
    for (const char *left : {"\"Channels\"", "\"CardNameA\"", "\"BaseColor\"", "\"First\"", "\"OnGetCardString\""})
        EXPECT_FALSE(saved.contains(QLatin1String(left))) << left << " is a default\n" << qPrintable(saved);
    for (const char *kept : {"<property name=\"CompanyName\" stdset=\"0\">", "<property name=\"OnClick\" stdset=\"0\">",
                             "<property name=\"RadioPanel\" stdset=\"0\">", "<UInt>2147483653</UInt>",
                             "<number>16711680</number>"})
        EXPECT_TRUE(saved.contains(QLatin1String(kept))) << kept << "\n" << qPrintable(saved);

    TCirclePage page;
    TFormLoader(&page).Load(saved.toUtf8());
    auto *loaded = page.findChild<TBoardHighlight *>(QStringLiteral("Circle"));
    EXPECT_EQ(loaded->RadioPanel(), page.findChild<TRadioPanel *>(QStringLiteral("Panel")));
    emit loaded->OnClick(loaded);
    page.findChild<QLineEdit *>(QStringLiteral("Edit"))->setText(QStringLiteral("3E0"));
    EXPECT_EQ(page.clicks, 2);
    EXPECT_EQ(page.findChild<TRadioPanel *>(QStringLiteral("Panel"))->Color(), clWindow);
    auto *j1 = page.findChild<TTwoJumper *>(QStringLiteral("J1"));
    EXPECT_EQ(j1->PinColor(), TColor(0x0000FF));
    EXPECT_EQ(j1->JumperColor(), TColor(0xFF0000));
}

// A reference to a component the form does not hold, or of another class, is refused with a
// message, and the name shown goes back to the component held.
TEST_F(HeadlessDesigner, AReferenceThatDoesNotFitIsRefusedWithAMessage)
{
    Open(StoredPage);
    QDesignerPropertySheetExtension *circle = Sheet("Circle");
    const int panel = circle->indexOf(QStringLiteral("RadioPanel"));
    circle->setProperty(panel, Name("Panel"));
    const QList<QPair<const char *, QString>> refused = {
        {"Nothing", QStringLiteral("Component Nothing not found (RadioPanel of Circle)")},
        {"Label", QStringLiteral("Component Label is a QLabel, not a TRadioPanel (RadioPanel of Circle)")}};
    for (const auto &[name, text] : refused) {
        EXPECT_EQ(Told([&] { circle->setProperty(panel, Name(name)); }), text);
        EXPECT_EQ(circle->property(panel).value<qdesigner_internal::PropertySheetStringValue>().value(),
                  QStringLiteral("Panel"));
    }
}

// Reset in the property editor brings back what a new component holds: colours, references,
// events and the form's OnCreate alike.
TEST_F(HeadlessDesigner, ResetBringsBackWhatANewComponentHolds)
{
    Open(StoredPage);
    const struct
    {
        const char *component;
        const char *property;
        QVariant set;
    } cases[] = {{"Panel", "Color", QVariant()},
                 {"Circle", "RadioPanel", Name("Panel")},
                 {"J1", "OnClick", Name("Handler")},
                 {"Page", "OnCreate", Name("Created")}};
    for (const auto &c : cases) {
        QDesignerPropertySheetExtension *sheet = Sheet(c.component);
        const int index = sheet->indexOf(QLatin1String(c.property));
        if (c.set.isValid())
            sheet->setProperty(index, c.set);
        ASSERT_TRUE(sheet->isChanged(index)) << c.component << " " << c.property;
        EXPECT_TRUE(sheet->reset(index));
        EXPECT_FALSE(sheet->isChanged(index)) << c.component << " " << c.property;
    }
    EXPECT_EQ(window->mainContainer()->findChild<QWidget *>(QStringLiteral("Panel"))->property("Color").toUInt(),
              TColor(clBtnFace));
}

// The property editor hands over a picture's name at every keystroke: it is read once its
// editing has ended, not at every prefix.
TEST_F(HeadlessDesigner, APictureIsReadOnceItsEditingHasEnded)
{
    Open(StoredPage);
    QDesignerPropertySheetExtension *board = Sheet("Board");
    QObject *image = window->mainContainer()->findChild<QWidget *>(QStringLiteral("Board"));
    const QString photo = QFileInfo(QStringLiteral(PAGE_LAYOUT)).dir().filePath(QStringLiteral("board.jpg"));
    auto *typing = new QLineEdit(editor);
    editor->show();
    editor->activateWindow();
    typing->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([typing] { return typing->hasFocus(); }));
    for (const QString &typed : {photo.left(photo.size() - 4), photo}) {
        board->setProperty(board->indexOf(QStringLiteral("Picture")),
                           QVariant::fromValue(qdesigner_internal::PropertySheetStringValue(typed)));
        EXPECT_EQ(image->property("Picture").toString(), QString());
    }
    delete typing;
    // Read then, at once (a name it cannot read would be reported as a warning, failing the test).
    EXPECT_TRUE(QTest::qWaitFor([&] { return image->property("Picture").toString() == photo; }));
    editor->hide();
}

// Form > Preview builds the page as Designer holds it: the form's own enumerations are read
// without a warning (a warning fails the test), for the card page and the File > New template.
TEST_F(HeadlessDesigner, PreviewReadsTheFormsEnumerations)
{
    for (const char *layout : {PAGE_LAYOUT, CARD_PAGE_TEMPLATE}) {
        // One form window each, as Designer opens each file in its own.
        const std::unique_ptr<QDesignerFormWindowInterface> opened(core->formWindowManager()->createFormWindow());
        QFile file{QString::fromLatin1(layout)};
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        opened->setFileName(file.fileName());
        QString error;
        ASSERT_TRUE(opened->setContents(&file, &error)) << qPrintable(error);
        QTest::qWait(50);
        const std::unique_ptr<QWidget> preview(
            qdesigner_internal::QDesignerFormBuilder::createPreview(opened.get(), QString(), QString(), &error));
        EXPECT_NE(preview, nullptr) << layout << ": " << qPrintable(error);
    }
}

#include "test_designer.moc"

namespace {

QByteArray CircleXml(const char *name, const char *title, int x)
{
    return QByteArray("<widget class=\"TBoardHighlight\" name=\"") + name +
           "\"><property name=\"geometry\"><rect><x>" + QByteArray::number(x) +
           "</x><y>0</y><width>33</width><height>33</height></rect></property><property name=\"Title\"><string>" + title +
           "</string></property><property name=\"RadioPanel\" stdset=\"0\"><string></string></property></widget>";
}

QString Shown(QDesignerPropertySheetExtension *sheet, const char *property)
{
    const QVariant value = sheet->property(sheet->indexOf(QLatin1String(property)));
    if (value.canConvert<qdesigner_internal::PropertySheetStringValue>())
        return value.value<qdesigner_internal::PropertySheetStringValue>().value();
    return value.toString();
}

QObject *Held(const QObject *component, const char *property)
{
    return component->property(property).value<QObject *>();
}

} // namespace

// The names shown follow what the components hold: a panel given to one member of a link group
// shows on the others, a name not on the form stays as typed, and an emptied reference lets go
// of the component.
TEST_F(HeadlessDesigner, ReferenceNamesFollowWhatTheComponentsHold)
{
    QByteArray form = "<ui version=\"4.0\"><class>TForm</class><widget class=\"TForm\" name=\"Page\">"
                      "<widget class=\"QWidget\" name=\"central\"><widget class=\"TBoardImage\" name=\"Board\">" +
                      CircleXml("One", "&amp;Alpha", 0) + CircleXml("Two", "&amp;Alpha", 40) +
                      CircleXml("Three", "&amp;Beta", 80) +
                      "</widget><widget class=\"TRadioPanel\" name=\"Panel\"/></widget></widget>"
                      "<customwidgets><customwidget><class>TForm</class><extends>QMainWindow</extends>"
                      "<header>form.h</header><container>1</container></customwidget></customwidgets></ui>";
    Open(form);
    QWidget *page = window->mainContainer();
    QObject *one = page->findChild<QWidget *>(QStringLiteral("One"));
    QObject *two = page->findChild<QWidget *>(QStringLiteral("Two"));
    QObject *three = page->findChild<QWidget *>(QStringLiteral("Three"));
    QObject *panel = page->findChild<QWidget *>(QStringLiteral("Panel"));
    ASSERT_TRUE(one && two && three && panel);
    QExtensionManager *manager = core->extensionManager();
    const auto sheet = [manager](QObject *o) { return qt_extension<QDesignerPropertySheetExtension *>(manager, o); };

    // As Designer hands over a stored name: a plain string.
    sheet(three)->setProperty(sheet(three)->indexOf(QStringLiteral("RadioPanel")), QStringLiteral("Later"));
    editor->setObject(two);
    // The author is asked whether the other member follows, and says yes.
    QString asked;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&asked] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked = box->text();
            box->button(QMessageBox::Yes)->click();
        }
    });
    answer.start(5);
    using qdesigner_internal::PropertySheetStringValue;
    sheet(one)->setProperty(sheet(one)->indexOf(QStringLiteral("RadioPanel")),
                            QVariant::fromValue(PropertySheetStringValue(QStringLiteral("Panel"))));
    EXPECT_EQ(asked, QStringLiteral("One's RadioPanel property changed. Synchronize linked component Two?"));
    EXPECT_EQ(Held(one, "RadioPanel"), panel);
    EXPECT_EQ(Held(two, "RadioPanel"), panel);
    EXPECT_EQ(Shown(sheet(two), "RadioPanel"), QStringLiteral("Panel"));
    EXPECT_EQ(Held(three, "RadioPanel"), nullptr);
    EXPECT_EQ(Shown(sheet(three), "RadioPanel"), QStringLiteral("Later"));

    sheet(two)->setProperty(sheet(two)->indexOf(QStringLiteral("RadioPanel")),
                            QVariant::fromValue(PropertySheetStringValue(QString())));
    EXPECT_EQ(Held(two, "RadioPanel"), nullptr);
    EXPECT_EQ(Shown(sheet(two), "RadioPanel"), QString());
}

// The non-visual supporter stands on the form as a small grey box labelled SS.
TEST(DesignerPlugin, TheSupportersItemIsALabelledBox)
{
    QPluginLoader loader(QStringLiteral(SETUPCTRLS_DESIGNER_PLUGIN));
    QWidget form;
    QWidget *item = nullptr;
    for (QDesignerCustomWidgetInterface *widget : PluginWidgets(loader)) {
        if (widget->name() == QLatin1String("TSetupSupporter"))
            item = widget->createWidget(&form);
    }
    ASSERT_TRUE(item);
    const QImage shot = item->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(32, 32));
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(31, 31), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(0xF0, 0xF0, 0xF0));
    int ink = 0;
    for (int y = 8; y < 24; ++y) {
        for (int x = 4; x < 28; ++x)
            ink += shot.pixelColor(x, y).lightness() < 128;
    }
    EXPECT_GT(ink, 10) << "the letters";
}
