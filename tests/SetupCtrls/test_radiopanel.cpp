#include "component.h"
#include "jumpers.h"
#include "radiopanel.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using J = TJumperControl;

// A panel on which the radio rule runs, with the order of everything its jumpers report.
struct RadioPage
{
    explicit RadioPage(int jumpers)
    {
        panel.SetRadioEnabled(true);
        for (int i = 0; i < jumpers; ++i) {
            auto *jumper = new TTwoJumper(&panel);
            jumper->setObjectName(QString(QChar('A' + i)));
            QObject::connect(jumper, &J::OnClick, [this](QObject *sender) { events << "click " + Describe(sender); });
            two << jumper;
        }
        QObject::connect(&panel, &TRadioPanel::OnRadioChange,
                         [this](QObject *sender) { events << "radio " + Describe(sender); });
    }
    // The sender and every jumper's state at the time.
    QString Describe(QObject *sender) const
    {
        QString states;
        for (const TTwoJumper *jumper : two)
            states += jumper->Closed() ? 'X' : '-';
        return sender->objectName() + ' ' + states;
    }
    void Click(int index) { QTest::mouseClick(two[index], Qt::LeftButton); }

    TRadioPanel panel;
    QVector<TTwoJumper *> two;
    QStringList events;
};

QRgb PaintedAt(QWidget *widget, int x, int y)
{
    return widget->grab().toImage().pixel(x, y);
}

} // namespace

TEST(RadioPanel, NewPanelHasItsDefaults)
{
    QWidget parent;
    TRadioPanel panel(&parent);
    parent.show();
    EXPECT_TRUE(panel.isHidden());
    EXPECT_EQ(panel.size(), QSize(194, 100));
    EXPECT_FALSE(panel.RadioEnabled());
    EXPECT_EQ(panel.MemoHeight(), 58);
    EXPECT_EQ(panel.FinalAnchors(), Anchors::akLeft | Anchors::akTop);
    EXPECT_TRUE(panel.Lines().isEmpty());
    EXPECT_EQ(panel.Color(), clBtnFace);
    EXPECT_EQ(panel.BevelOuter(), TRadioPanel::bvNone);
    EXPECT_FALSE(panel.Hosted());
    EXPECT_FALSE(panel.OnActivate());
}

TEST(RadioPanel, ShowsItsColourInsideAWhiteWindow)
{
    QWidget window;
    QPalette white = window.palette();
    white.setColor(QPalette::Window, Qt::white);
    window.setPalette(white);
    TRadioPanel panel(&window);
    EXPECT_EQ(PaintedAt(&panel, 50, 50), ColorToQColor(clBtnFace, &panel).rgb());
    EXPECT_NE(PaintedAt(&panel, 50, 50), QColor(Qt::white).rgb());

    panel.SetColor(0x0000FF);
    EXPECT_EQ(PaintedAt(&panel, 50, 50), qRgb(255, 0, 0));
    panel.SetParentColor(true);
    EXPECT_EQ(panel.Color(), 0xFFFFFFu);
    panel.SetColor(0x00FF00);
    EXPECT_FALSE(panel.ParentColor());
}

TEST(RadioPanel, LinesAreCopied)
{
    TRadioPanel panel;
    QStringList lines{"first", "second"};
    panel.SetLines(lines);
    lines[0] = "changed";
    lines << "third";
    EXPECT_EQ(panel.Lines(), (QStringList{"first", "second"}));
}

TEST(RadioPanel, FinalAnchorsActOnlyOnceHosted)
{
    QWidget popup;
    popup.resize(300, 200);
    TRadioPanel panel(&popup);
    popup.show();
    panel.SetFinalAnchors(Anchors::akLeft | Anchors::akTop | Anchors::akRight);
    EXPECT_EQ(Anchors::AnchorsOf(&panel), Anchors::akLeft | Anchors::akTop);
    popup.resize(350, 200);
    EXPECT_EQ(panel.width(), 194);

    panel.SetHosted(true);
    panel.SetFinalAnchors(Anchors::akLeft | Anchors::akTop | Anchors::akRight);
    EXPECT_EQ(Anchors::AnchorsOf(&panel), Anchors::akLeft | Anchors::akTop | Anchors::akRight);
    popup.resize(400, 200);
    EXPECT_EQ(panel.width(), 244);
    panel.SetFinalAnchors(Anchors::akLeft | Anchors::akBottom);
    EXPECT_EQ(Anchors::AnchorsOf(&panel), Anchors::akLeft | Anchors::akBottom);
}

TEST(RadioPanel, WithoutRadioRuleAClickOnlyTogglesTheJumper)
{
    RadioPage page(2);
    page.panel.SetRadioEnabled(false);
    page.two[0]->SetClosed(true);
    page.Click(1);
    EXPECT_EQ(page.events, QStringList{"click B XX"});
}

TEST(RadioPanel, RadioRuleClosesTheClickedJumperBeforeItsClick)
{
    RadioPage page(3);
    page.two[0]->SetClosed(true);
    page.Click(1);
    EXPECT_EQ(page.events, (QStringList{"radio B -X-", "click B -X-"}));

    // With all open, closing one changes no other: no radio change.
    page.two[1]->SetClosed(false);
    page.events.clear();
    page.Click(2);
    EXPECT_EQ(page.events, QStringList{"click C --X"});

    // The closed one reopens on its own click, the rule closes it again.
    page.events.clear();
    page.Click(2);
    EXPECT_EQ(page.events, (QStringList{"radio C --X", "click C --X"}));
}

TEST(RadioPanel, RadioRuleLeavesThreePinJumpersAlone)
{
    RadioPage page(2);
    auto *three = new TThreeJumper(&page.panel);
    three->SetJumperState(J::jsLeft);
    page.two[0]->SetClosed(true);
    page.Click(1);
    EXPECT_EQ(three->JumperState(), J::jsLeft);

    page.events.clear();
    QTest::mouseClick(three, Qt::LeftButton);
    EXPECT_EQ(three->JumperState(), J::jsRight);
    EXPECT_TRUE(page.events.isEmpty());
    EXPECT_TRUE(page.two[1]->Closed());
}

// Recognised by exact class name: a derived panel runs no rule and lends no colour.
class TDerivedPanel : public TRadioPanel
{
    Q_OBJECT
};

TEST(RadioPanel, DerivedClassesAreNoRadioPanels)
{
    TDerivedPanel panel;
    panel.SetRadioEnabled(true);
    panel.SetColor(0x00FF00);
    TTwoJumper first(&panel);
    TTwoJumper second(&panel);
    EXPECT_EQ(PaintedAt(&second, 0, 9), ColorToQColor(clBtnFace, &second).rgb());
    first.SetClosed(true);
    QTest::mouseClick(&second, Qt::LeftButton);
    EXPECT_TRUE(first.Closed());
}

// A designer shows the panel on its surface; the first paint there clears Visible, once.
TEST(RadioPanel, HidesItselfOnceInDesignMode)
{
    QWidget form;
    Component::SetDesigning(&form, true);
    TRadioPanel panel(&form);
    panel.SetVisible(true);
    panel.show();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel.Visible(); }, 1000));
    EXPECT_TRUE(panel.isVisible());
    panel.SetVisible(true);
    panel.repaint();
    EXPECT_TRUE(panel.Visible());

    Component::SetDesigning(&form, false);
    EXPECT_TRUE(panel.Visible()) << "at run time Visible is the panel's own visibility";
    panel.SetVisible(false);
    EXPECT_TRUE(panel.isHidden());
}

// Without a bevel a panel is only its background: on a design surface it shows its outline.
TEST(RadioPanel, OnADesignSurfaceDrawsItsOutline)
{
    QWidget form;
    TRadioPanel panel(&form);
    panel.resize(40, 30);
    const QImage running = panel.grab().toImage();
    EXPECT_EQ(running.pixelColor(0, 0), running.pixelColor(20, 15));
    Component::SetDesigning(&form, true);
    const QImage designing = panel.grab().toImage();
    EXPECT_NE(designing.pixelColor(0, 0), designing.pixelColor(20, 15));
}

// Deleting the focused child moves the focus while the panel is half destroyed.
TEST(RadioPanel, CanBeDestroyedWithTheFocusInside)
{
    QWidget window;
    auto *panel = new TRadioPanel(&window);
    auto *edit = new QLineEdit(panel);
    QSignalSpy entries(panel, &TRadioPanel::OnEnter);
    panel->show();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_EQ(entries.count(), 1);
    delete panel;
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
}

#include "test_radiopanel.moc"
