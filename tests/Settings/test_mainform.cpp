#include "application.h"
#include "desktopidentity.h"
#include "infoforms.h"
#include "menutexts.h"
#include "template.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <optional>

namespace {

void RunEventLoop(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(MainForm, IsReadFromItsStoredLayout)
{
    TMainForm form;
    EXPECT_EQ(form.objectName(), QStringLiteral("MainForm"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Setup"));
    EXPECT_EQ(form.WindowState(), TForm::wsMaximized);
    EXPECT_EQ(form.centralWidget()->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(form.font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(form.font().pointSize(), 8);

    ASSERT_NE(form.MainMenu1, nullptr);
    EXPECT_EQ(form.menuBar(), form.MainMenu1);
    EXPECT_EQ(Captions(form.MainMenu1->actions()).first(), QStringLiteral("&File"));
    EXPECT_EQ(Captions(form.MainMenu1->actions()).last(), QStringLiteral("&Help"));
    QMenu *file = form.findChild<QMenu *>(QStringLiteral("File1"));
    QMenu *help = form.findChild<QMenu *>(QStringLiteral("Help1"));
    ASSERT_TRUE(file && help);
    EXPECT_EQ(Captions(file->actions()), QStringList{QStringLiteral("&Exit")});
    EXPECT_EQ(Captions(help->actions()),
              (QStringList{QStringLiteral("H&ow to use this program"), QStringLiteral("&Technical Support")}));
    EXPECT_EQ(help->actions().at(0), form.Howtousethisprogram1);

    ASSERT_NE(form.SetSup, nullptr);
    EXPECT_EQ(form.SetSup->CompanyName(), QStringLiteral("ORVEL"));
    EXPECT_EQ(form.SetSup->CardNameA(), QStringLiteral("PX-3208A"));
    EXPECT_EQ(form.SetSup->CardNameB(), QStringLiteral("PX-3208B"));
    EXPECT_EQ(form.SetSup->CallHow(), QStringLiteral("between 9 am and 4 pm local time at 555-0100"));
    EXPECT_TRUE(form.SetSup->ChangeButtons());
    EXPECT_FALSE(form.SetSup->UseCardNameB());
    EXPECT_FALSE(form.SetSup->MultiPort());
    EXPECT_EQ(form.SetSup->Channels(), 8);
    EXPECT_TRUE(form.SetSup->bSeries());
    EXPECT_FALSE(form.SetSup->OnGetCardString());

    EXPECT_TRUE(TApplication::Instance()->OnIdleAssigned()) << "FormCreate hooked the supporter into the idle event";
    TApplication::Instance()->SetOnIdle({});
}

TEST(MainForm, UnderADarkPaletteTheMenuBarKeepsItAndTheClientAreaIsWhite)
{
    const QPalette saved = QApplication::palette();
    QPalette dark(QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, Qt::white);
    QApplication::setPalette(dark);
    {
        TMainForm form;
        const QPalette bar = form.menuBar()->palette();
        EXPECT_EQ(bar.color(QPalette::Window), dark.color(QPalette::Window));
        EXPECT_EQ(bar.color(QPalette::WindowText), QColor(Qt::white));
        EXPECT_EQ(form.palette().color(QPalette::Window), dark.color(QPalette::Window));
        EXPECT_EQ(form.centralWidget()->palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_TRUE(form.centralWidget()->autoFillBackground());
    }
    QApplication::setPalette(saved);
}

TEST(MainForm, IdleTimeWaitsForTheFirstPaint)
{
    TMainForm form;
    TApplication *app = TApplication::Instance();
    std::optional<bool> exposedAtIdle;
    QList<bool> exposedAfterFirstPaint;
    app->AfterFirstPaint([&] { exposedAfterFirstPaint << form.windowHandle()->isExposed(); });
    app->SetOnIdle([&](QObject *, bool &done) {
        // Called twice: the work after the first paint is done once, before the first call.
        if (!exposedAtIdle) {
            exposedAtIdle = form.windowHandle()->isExposed();
            EXPECT_EQ(exposedAfterFirstPaint.size(), 1);
            done = false;
            return;
        }
        app->SetOnIdle({});
        form.close();
    });
    QTimer::singleShot(5000, &form, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(app->Run(&form), 0);
    ASSERT_TRUE(exposedAtIdle.has_value());
    EXPECT_TRUE(*exposedAtIdle) << "the paint that showing the form brings comes before idle time";
    EXPECT_EQ(exposedAfterFirstPaint, QList<bool>{true});
    app->SetMainForm(nullptr);
}

TEST(MainForm, HasOneFieldPerNamedComponentOfThePage)
{
    TMainForm form;
    const QMetaObject *meta = form.metaObject();
    QStringList fields;
    for (int i = TForm::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty field = meta->property(i);
        if (!(field.metaType().flags() & QMetaType::PointerToQObject))
            continue;
        fields << QString::fromLatin1(field.name());
        const QObject *component = field.read(&form).value<QObject *>();
        EXPECT_TRUE(component && component->objectName() == fields.last()) << field.name();
    }
    EXPECT_EQ(fields.size(), 88);
}

TEST(MainForm, PanelsFollowTheirTabOrder)
{
    TMainForm form;
    QStringList panels;
    for (QWidget *w = form.nextInFocusChain(); w != &form; w = w->nextInFocusChain()) {
        if (qobject_cast<TRadioPanel *>(w)) {
            panels << w->objectName();
        } else if (w->parentWidget() && qobject_cast<TRadioPanel *>(w->parentWidget())) {
            EXPECT_EQ(w->parentWidget()->objectName(), panels.value(panels.size() - 1)) << "a panel's controls follow it";
        }
    }
    EXPECT_EQ(panels, (QStringList{QStringLiteral("BasePanel"), QStringLiteral("IRQPanel"), QStringLiteral("DIOPanel"),
                                   QStringLiteral("AIOPanel"), QStringLiteral("DACRangePanel"), QStringLiteral("SEDiffPanel"),
                                   QStringLiteral("ADRangePanel"), QStringLiteral("CTRPanel"), QStringLiteral("PowerPanel")}));
}

TEST(MainForm, RestoredItFillsTheWorkArea)
{
    TMainForm form;
    TApplication::Instance()->SetOnIdle({});
    form.ShowAsStored();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_TRUE(form.isMaximized());
    form.showNormal();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.frameGeometry() == area; })) << form.frameGeometry().width();
}

TEST(MainForm, StartsMaximizedBuildsOnceAndExitEndsTheProgram)
{
    TMainForm form;
    TApplication *app = TApplication::Instance();
    QTimer::singleShot(300, &form, [&] {
        EXPECT_TRUE(form.isMaximized());
        EXPECT_FALSE(app->OnIdleAssigned()) << "the idle hook removed itself";
        ASSERT_NE(form.SetSup->HeaderLabel(), nullptr);
        EXPECT_EQ(form.SetSup->HeaderLabel()->text(), QStringLiteral("PX-3208A Series Settings Program"));
        EXPECT_EQ(form.SetSup->HeaderLabel()->y(), 0);
        EXPECT_TRUE(form.SetSup->HelpForm()->isVisible()) << "the help window opened by itself";
        EXPECT_EQ(form.findChildren<THelpForm *>().size(), 1);
        form.Exit2->trigger();
    });
    // Bound to the form, so that it ends with this test when Exit works.
    QTimer::singleShot(5000, &form, [] { ADD_FAILURE() << "Exit did not end the event loop"; QCoreApplication::exit(1); });
    EXPECT_EQ(app->Run(&form), 0);
    EXPECT_FALSE(form.isVisible());
    app->SetMainForm(nullptr);
}

TEST(MainForm, HelpCommandsShowTheOneWindowAgain)
{
    TMainForm form;
    form.show();
    RunEventLoop(50);
    THelpForm *help = form.SetSup->HelpForm();
    TTechForm *tech = form.SetSup->TechForm();
    ASSERT_TRUE(help && tech);

    for (QAction *command : {form.Howtousethisprogram1, form.TechnicalSupport1}) {
        QWidget *window = command == form.Howtousethisprogram1 ? static_cast<QWidget *>(help) : tech;
        command->trigger();
        command->trigger();
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << "brought to the front";
        window->close(); // the user closes it: only hidden
        EXPECT_FALSE(window->isVisible());
        command->trigger();
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_EQ(form.findChildren<THelpForm *>().size(), 1);
    EXPECT_EQ(form.findChildren<TTechForm *>().size(), 1);
}

TEST(MainForm, AnUnreadableLayoutEndsTheProgramWithAnErrorBox)
{
    QProcess program;
    program.start(QStringLiteral(SETTINGS_UNREADABLE_LAYOUT), {});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(errors.contains(QStringLiteral("message box \"Setup\": Layout is not readable"))) << errors.toStdString();
}

TEST(MainForm, EveryWindowCarriesTheApplicationIcon)
{
    SetDesktopFileName();
    SetApplicationIcon();
    const QIcon icon = QApplication::windowIcon();
    EXPECT_EQ(icon.availableSizes(),
              (QList<QSize>{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    EXPECT_EQ(icon.pixmap(16).toImage().pixelColor(7, 8), QColor(0x55, 0x55, 0x55)) << "the shunt's pin slot";
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("com.orvel.Settings"));

    TMainForm form;
    form.show();
    RunEventLoop(50);
    for (QWidget *window : {static_cast<QWidget *>(&form), static_cast<QWidget *>(form.SetSup->HelpForm()),
                            static_cast<QWidget *>(form.SetSup->TechForm())})
        EXPECT_EQ(window->windowIcon().cacheKey(), icon.cacheKey()) << window->objectName().toStdString();
}

} // namespace
