#include "application.h"
#include "component.h"
#include "exceptions.h"
#include "form.h"
#include "formloader.h"
#include "setupsupporter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QTimer>

namespace {

// A page whose handlers record the order in which the loader bound and ran them.
class TLoaderPage : public TForm
{
    Q_OBJECT
    Q_PROPERTY(QLineEdit *Edit1 MEMBER Edit1)
public:
    QLineEdit *Edit1 = nullptr;
    QStringList calls;
    bool loadingAtCreate = true;

public slots:
    void PageCreate(QObject *Sender)
    {
        calls << QStringLiteral("create:") + Sender->objectName();
        loadingAtCreate = Component::IsLoading(this);
    }
    void EditChange(QObject *Sender) { calls << QStringLiteral("change:") + Sender->objectName(); }
    void RadioClick(QObject *Sender) { calls << QStringLiteral("click:") + Sender->objectName(); }
    void ItemClick(QObject *Sender) { calls << QStringLiteral("item:") + Sender->objectName(); }
    void Fail(QObject *Sender) { throw EComponentError(QStringLiteral("failed in ") + Sender->objectName()); }
    void IntArg(int value) { calls << QString::number(value); }
};

QByteArray Page(const QByteArray &children, const QByteArray &formProperties = QByteArray())
{
    return "<ui version=\"4.0\"><class>Page</class><widget class=\"TLoaderPage\" name=\"Page\">" + formProperties +
           "<widget class=\"QWidget\" name=\"central\">" + children +
           "</widget></widget></ui>";
}

const QByteArray Edit1 = "<widget class=\"QLineEdit\" name=\"Edit1\"/>";

QByteArray Prop(const char *name, const char *value)
{
    return QByteArray("<property name=\"") + name + "\" stdset=\"0\"><string>" + value + "</string></property>";
}

std::string LoadError(const QByteArray &layout)
{
    TLoaderPage page;
    try {
        TFormLoader(&page).Load(layout);
    } catch (const EReadError &e) {
        return e.what();
    }
    return "no error";
}

TEST(FormLoader, BindsEventsAndFieldsThenRunsOnCreate)
{
    TLoaderPage page;
    TFormLoader(&page).Load(Page("<widget class=\"QLineEdit\" name=\"Edit1\">" + Prop("OnChange", "EditChange") +
                                     "</widget>"
                                     "<widget class=\"QRadioButton\" name=\"Radio1\">" +
                                     Prop("OnClick", "RadioClick") + "</widget>"
                                     "<widget class=\"QPushButton\" name=\"Unassigned\">" + Prop("OnClick", "") +
                                     "</widget>",
                                 Prop("OnCreate", "PageCreate")));

    EXPECT_EQ(page.calls, QStringList{QStringLiteral("create:Page")});
    EXPECT_FALSE(page.loadingAtCreate);
    ASSERT_NE(page.Edit1, nullptr);
    EXPECT_EQ(page.Edit1->objectName(), QStringLiteral("Edit1"));

    page.Edit1->setText(QStringLiteral("300"));
    auto *radio = page.findChild<QRadioButton *>(QStringLiteral("Radio1"));
    radio->setChecked(true);
    radio->setChecked(true); // already checked: no second click
    EXPECT_EQ(page.calls, (QStringList{QStringLiteral("create:Page"), QStringLiteral("change:Edit1"),
                                       QStringLiteral("click:Radio1")}));
}

TEST(FormLoader, SetsNonVisualComponentPropertiesAndBindsActions)
{
    TLoaderPage page;
    TFormLoader(&page).Load(Page(Edit1 + "<widget class=\"TSetupSupporter\" name=\"Sup\">"
                                 "<property name=\"geometry\"><rect><x>1</x><y>1</y><width>9</width><height>9</height></rect></property>" +
                                 Prop("CompanyName", "ORVEL") +
                                 "<property name=\"bSeries\" stdset=\"0\"><bool>false</bool></property>"
                                 "<property name=\"Channels\" stdset=\"0\"><number>4</number></property>"
                                 "</widget>"));
    auto *sup = page.findChild<TSetupSupporter *>(QStringLiteral("Sup"));
    ASSERT_NE(sup, nullptr);
    EXPECT_EQ(sup->parent(), &page);
    EXPECT_EQ(sup->CompanyName(), QStringLiteral("ORVEL"));
    EXPECT_FALSE(sup->bSeries());
    EXPECT_EQ(sup->Channels(), 4);
    EXPECT_EQ(page.findChildren<QWidget *>(QStringLiteral("Sup")).size(), 0) << "no placeholder widget is left";

    TLoaderPage withMenu;
    TFormLoader(&withMenu)
        .Load("<ui version=\"4.0\"><widget class=\"TLoaderPage\" name=\"Page\">" + Edit1 +
              "<widget class=\"QMenuBar\" name=\"Menu1\"><widget class=\"QMenu\" name=\"File1\">"
              "<property name=\"title\"><string>&amp;File</string></property><addaction name=\"Exit1\"/></widget>"
              "<addaction name=\"File1\"/></widget>"
              "<action name=\"Exit1\"><property name=\"text\"><string>&amp;Exit</string></property>" +
              Prop("OnClick", "ItemClick") + "</action></widget></ui>");
    withMenu.findChild<QAction *>(QStringLiteral("Exit1"))->trigger();
    EXPECT_EQ(withMenu.calls, QStringList{QStringLiteral("item:Exit1")});
}

TEST(FormLoader, NamesWhatIsMissing)
{
    EXPECT_EQ(LoadError(Page("<widget class=\"TNoSuchClass\" name=\"Thing1\"/>")),
              "Class TNoSuchClass not found (component Thing1)");
    EXPECT_EQ(LoadError(Page("<widget class=\"QLineEdit\" name=\"Edit1\">" + Prop("OnChange", "NoSuchHandler") +
                             "</widget>")),
              "Method NoSuchHandler not found (OnChange of Edit1)");
    EXPECT_EQ(LoadError(Page("<widget class=\"QLineEdit\" name=\"Edit1\">" + Prop("OnWobble", "EditChange") +
                             "</widget>")),
              "Event OnWobble not found on Edit1 (QLineEdit)");
    EXPECT_EQ(LoadError(Page("<widget class=\"TSetupSupporter\" name=\"Sup\">" + Prop("NoSuchProperty", "x") +
                             "</widget>")),
              "Property NoSuchProperty of Sup cannot be set");
    EXPECT_EQ(LoadError(Page("<widget class=\"TTwoJumper\" name=\"J1\"><property name=\"Orientation\">"
                             "<enum>otSideways</enum></property></widget>")),
              "Invalid value otSideways for Orientation of J1");
    EXPECT_EQ(LoadError("<ui version=\"4.0\"><widget class=\"QMainWindow\" name=\"Other\"/></ui>"),
              "Layout is for class QMainWindow, not TLoaderPage");
    EXPECT_EQ(LoadError("not a layout").rfind("Layout is not readable: ", 0), 0u);
    EXPECT_EQ(LoadError("<ui version=\"4.0\"><class>Page</class></ui>"), "Layout holds no form");
    EXPECT_EQ(LoadError(Page("<widget class=\"QRadioButton\" name=\"Edit1\"/>")), "Component Edit1 is a QRadioButton, not a QLineEdit (field Edit1 of TLoaderPage)");
    EXPECT_EQ(LoadError(Page("<widget class=\"QLineEdit\" name=\"Edit1\"/><widget class=\"TBoardImage\" name=\"B\">" +
                             Prop("Menu", "Edit1") + "</widget>")),
              "Component Edit1 does not fit Menu of B");
    TLoaderPage page;
    try {
        TFormLoader(&page).Load(QStringLiteral("/no/such/layout.ui"));
        ADD_FAILURE() << "no error";
    } catch (const EReadError &e) {
        EXPECT_STREQ(e.what(), "Cannot open layout /no/such/layout.ui");
    }
}

TEST(FormLoader, StoredNumbersAndStringListsFitTheirProperty)
{
    const struct
    {
        const char *value;
        const char *property;
        QVariant expected; // invalid: refused
    } cases[] = {
        {"<double>8.0</double>", "Channels", 8},
        {"<stringlist><string>ORVEL</string></stringlist>", "CompanyName", QStringLiteral("ORVEL")},
        {"<stringlist><string>A</string><string>B</string></stringlist>", "CompanyName", QVariant()},
    };
    for (const auto &c : cases) {
        const QByteArray layout = Page(Edit1 + "<widget class=\"TSetupSupporter\" name=\"Sup\"><property name=\"" +
                                       c.property + "\" stdset=\"0\">" + c.value + "</property></widget>");
        if (!c.expected.isValid()) {
            EXPECT_EQ(LoadError(layout), std::string("Property ") + c.property + " of Sup cannot be set");
            continue;
        }
        TLoaderPage page;
        TFormLoader(&page).Load(layout);
        EXPECT_EQ(page.findChild<QObject *>(QStringLiteral("Sup"))->property(c.property), c.expected) << c.value;
    }
}

// Fields left empty and handlers called with arguments they do not take would crash later.
TEST(FormLoader, RefusesFieldsAndHandlersThatDoNotFit)
{
    const struct
    {
        QByteArray layout;
        const char *error;
    } cases[] = {
        {Page(""), "Component Edit1 not found (field Edit1 of TLoaderPage)"},
        {Page("<widget class=\"QComboBox\" name=\"Edit1\"/>"),
         "Component Edit1 is a QComboBox, not a QLineEdit (field Edit1 of TLoaderPage)"},
        {Page("<widget class=\"QLineEdit\" name=\"Edit1\">" + Prop("OnChange", "IntArg") + "</widget>"),
         "Method IntArg(int) does not fit OnChange of Edit1, which passes (QObject*)"},
        {Page(Edit1 + "<widget class=\"TTwoJumper\" name=\"J1\">" + Prop("OnClick", "IntArg") + "</widget>"),
         "Method IntArg(int) does not fit OnClick of J1, which passes (QObject*)"},
        {Page(Edit1, Prop("OnCreate", "IntArg")), "Method IntArg(int) does not fit OnCreate of Page, which passes (QObject*)"},
        {Page(Edit1 + "<widget class=\"TRadioPanel\" name=\"P1\">" + Prop("OnRadioChange", "IntArg") + "</widget>"),
         "Method IntArg(int) does not fit OnRadioChange of P1, which passes (QObject*)"},
        {Page(Edit1 + "<widget class=\"TSetupSupporter\" name=\"Sup\">" + Prop("OnGetCardString", "EditChange") +
              "</widget>"),
         "Method EditChange(QObject*) does not fit OnGetCardString of Sup, which passes (QObject*, int) and takes a QString"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(LoadError(c.layout), c.error);
}

// The form template's top-level class is TForm: what an author makes of it loads into the page's class.
TEST(FormLoader, ALayoutForTheGenericPageClassLoadsIntoAnyPage)
{
    EXPECT_EQ(LoadError(QByteArray("<ui version=\"4.0\"><widget class=\"TForm\" name=\"Page\">") + Edit1 +
                        "</widget></ui>"),
              "no error");
    TForm form;
    TFormLoader(&form).Load(QStringLiteral(CARD_PAGE_TEMPLATE));
    EXPECT_NE(form.findChild<QWidget *>(QStringLiteral("BoardImage1")), nullptr);
}

TEST(Application, ReportsExceptionsEscapingHandlersAndGoesOn)
{
    QStringList shown;
    TApplication::Instance()->SetErrorDisplay([&](const QString &m) { shown << m; });
    TLoaderPage page;
    TFormLoader(&page).Load(Page("<widget class=\"QLineEdit\" name=\"Edit1\">" + Prop("OnChange", "Fail") + "</widget>",
                                 Prop("OnCreate", "Fail")));
    EXPECT_EQ(shown, QStringList{QStringLiteral("failed in Page")}) << "OnCreate failure reported";
    page.Edit1->setText(QStringLiteral("1"));
    page.Edit1->setText(QStringLiteral("2"));
    EXPECT_EQ(shown.size(), 3) << "every failing change is reported, the binding stays";
    EXPECT_EQ(shown.last(), QStringLiteral("failed in Edit1"));

    // An exception escaping an event handler of a widget is caught by the application object.
    struct Throwing : QWidget
    {
        bool event(QEvent *e) override
        {
            if (e->type() == QEvent::User)
                throw EComponentError(QStringLiteral("from an event"));
            return QWidget::event(e);
        }
    } widget;
    QEvent user(QEvent::User);
    QCoreApplication::sendEvent(&widget, &user);
    EXPECT_EQ(shown.last(), QStringLiteral("from an event"));
    TApplication::Instance()->SetErrorDisplay({});

    // Without a display of its own, the application shows an error box; the program goes on.
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll.start(5);
    QCoreApplication::sendEvent(&widget, &user);
    EXPECT_EQ(text, QStringLiteral("from an event"));
    EXPECT_EQ(caption, QGuiApplication::applicationDisplayName());
    EXPECT_EQ(icon, QMessageBox::Critical);
}

// Blank text between elements is left out of what the form builder reads; a padded value is
// kept as it stands.
TEST(FormLoader, BlanksBetweenElementsChangeNothing)
{
    const QByteArray layout = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n <widget "
                              "class=\"TLoaderPage\" name=\"Page\">\r\n\t<!-- page -->\n  <widget class=\"QWidget\" "
                              "name=\"central\">\n   <widget class=\"QLineEdit\" name=\"Edit1\">\n    <property "
                              "name=\"text\">\n     <string>  </string>\n    </property> &#32;\n    " +
                              Prop("OnChange", "EditChange") + "\n    <property name=\"placeholderText\">"
                              "<string> a &amp;\n b </string></property>\n   </widget>\n  </widget>\n </widget>\n</ui>\n";
    TLoaderPage page;
    TFormLoader(&page).Load(layout);
    ASSERT_NE(page.Edit1, nullptr);
    EXPECT_EQ(page.Edit1->text(), QString());
    EXPECT_EQ(page.Edit1->placeholderText(), QStringLiteral(" a &\n b "));
    page.Edit1->setText(QStringLiteral("1"));
    EXPECT_EQ(page.calls, QStringList{QStringLiteral("change:Edit1")});
}

} // namespace

#include "test_formloader.moc"

