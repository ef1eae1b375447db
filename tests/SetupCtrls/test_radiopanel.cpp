#include "boardimage.h"
#include "component.h"
#include "exceptions.h"
#include "form.h"
#include "formloader.h"
#include "jumpers.h"
#include "radiopanel.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
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

namespace {

// A page whose layout binds the panels' and jumpers' inherited events; the handlers record
// what they receive. Some take fewer parameters than their event passes.
class TEventsPage : public TForm
{
    Q_OBJECT
public:
    explicit TEventsPage(const QByteArray &layout) { TFormLoader(this).Load(layout); }
    QStringList seen;
    bool refuse = false;
    int maxWidth = 0;

public slots:
    void Down(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
    {
        seen << QStringLiteral("down %1 %2 %3 %4,%5").arg(Sender->objectName()).arg(Button).arg(Shift).arg(X).arg(Y);
    }
    void Move(QObject *Sender, Qt::KeyboardModifiers, int X) { seen << QStringLiteral("move %1 %2").arg(Sender->objectName()).arg(X); }
    void Up(QObject *Sender) { seen << "up " + Sender->objectName(); }
    void Clicked(QObject *Sender) { seen << "click " + Sender->objectName(); }
    void DoubleClicked(QObject *Sender) { seen << "double " + Sender->objectName(); }
    void Left(QObject *Sender) { seen << "exit " + Sender->objectName(); }
    void Resized(QObject *Sender) { seen << QStringLiteral("resize %1 %2").arg(Sender->objectName()).arg(static_cast<QWidget *>(Sender)->width()); }
    void CanResize(QObject *, int &NewWidth, int &, bool &Resize)
    {
        Resize = !refuse;
        NewWidth += 1;
    }
    void Limits(QObject *, int &, int &, int &MaxWidth) { MaxWidth = maxWidth; }
    void Bad(int) {}
};

QByteArray EventsLayout()
{
    return QByteArrayLiteral(R"(<ui version="4.0"><widget class="TEventsPage" name="Page">
 <widget class="QWidget" name="Client">
  <widget class="TRadioPanel" name="Panel">
   <property name="geometry"><rect><x>0</x><y>0</y><width>120</width><height>80</height></rect></property>
   <property name="BevelInner"><enum>TRadioPanel::bvLowered</enum></property>
   <property name="BorderWidth"><number>2</number></property>
   <property name="Ctl3D" stdset="0"><bool>false</bool></property>
   <property name="BiDiMode" stdset="0"><enum>bdLeftToRight</enum></property>
   <property name="OnClick" stdset="0"><string>Clicked</string></property>
   <property name="OnDblClick" stdset="0"><string>DoubleClicked</string></property>
   <property name="OnMouseDown" stdset="0"><string>Down</string></property>
   <property name="OnMouseUp" stdset="0"><string>Up</string></property>
   <property name="OnExit" stdset="0"><string>Left</string></property>
   <property name="OnResize" stdset="0"><string>Resized</string></property>
   <property name="OnCanResize" stdset="0"><string>CanResize</string></property>
   <property name="OnConstrainedResize" stdset="0"><string>Limits</string></property>
   <widget class="TTwoJumper" name="Jumper">
    <property name="geometry"><rect><x>10</x><y>10</y><width>34</width><height>18</height></rect></property>
    <property name="OnMouseDown" stdset="0"><string>Down</string></property>
    <property name="OnMouseMove" stdset="0"><string>Move</string></property>
    <property name="OnMouseUp" stdset="0"><string>Up</string></property>
   </widget>
   <widget class="QLineEdit" name="Edit">
    <property name="geometry"><rect><x>10</x><y>40</y><width>60</width><height>20</height></rect></property>
   </widget>
  </widget>
  <widget class="QLineEdit" name="Outside">
   <property name="geometry"><rect><x>0</x><y>100</y><width>60</width><height>20</height></rect></property>
  </widget>
  <widget class="TBoardImage" name="Board">
   <property name="geometry"><rect><x>150</x><y>0</y><width>50</width><height>50</height></rect></property>
   <property name="AutoSize" stdset="0"><bool>false</bool></property>
   <property name="CenterOnForm" stdset="0"><bool>false</bool></property>
   <property name="OnClick" stdset="0"><string>Clicked</string></property>
   <property name="OnDblClick" stdset="0"><string>DoubleClicked</string></property>
  </widget>
 </widget>
</widget></ui>)");
}

void DoubleClick(QWidget *widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(widget, &second);
    QCoreApplication::sendEvent(widget, &release);
}

} // namespace

TEST(RadioPanel, InheritedEventsReachTheLayoutsHandlersWithTheirArguments)
{
    TEventsPage page(EventsLayout());
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    auto *panel = page.findChild<TRadioPanel *>(QStringLiteral("Panel"));
    auto *jumper = page.findChild<QWidget *>(QStringLiteral("Jumper"));
    EXPECT_EQ(panel->BevelInner(), TRadioPanel::bvLowered);
    EXPECT_EQ(panel->BorderWidth(), 2);
    EXPECT_FALSE(panel->property("Ctl3D").isValid()) << "read and ignored";
    panel->show();
    page.seen.clear();

    QTest::mousePress(jumper, Qt::LeftButton, Qt::ShiftModifier, QPoint(3, 4));
    QTest::mouseMove(jumper, QPoint(7, 4));
    QTest::mouseRelease(jumper, Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 4));
    QTest::mouseClick(jumper, Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_EQ(page.seen, (QStringList{QStringLiteral("down Jumper 1 33554432 3,4"), QStringLiteral("move Jumper 7"),
                                      QStringLiteral("up Jumper"), QStringLiteral("down Jumper 2 0 2,2"),
                                      QStringLiteral("up Jumper")}))
        << "the jumper's mouse does not reach its panel";

    page.seen.clear();
    DoubleClick(panel, QPoint(100, 70));
    DoubleClick(page.findChild<QWidget *>(QStringLiteral("Board")), QPoint(5, 5));
    EXPECT_EQ(page.seen, (QStringList{QStringLiteral("down Panel 1 0 100,70"), QStringLiteral("click Panel"),
                                      QStringLiteral("up Panel"), QStringLiteral("down Panel 1 0 100,70"),
                                      QStringLiteral("double Panel"), QStringLiteral("up Panel"),
                                      QStringLiteral("click Board"), QStringLiteral("double Board")}));

    page.findChild<QWidget *>(QStringLiteral("Edit"))->setFocus();
    page.seen.clear();
    page.findChild<QWidget *>(QStringLiteral("Outside"))->setFocus();
    EXPECT_EQ(page.seen, QStringList{QStringLiteral("exit Panel")});
}

TEST(RadioPanel, OpensItsPopupMenuAsContextMenu)
{
    TRadioPanel panel;
    panel.show();
    QContextMenuEvent withoutMenu(QContextMenuEvent::Mouse, QPoint(5, 5), panel.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&panel, &withoutMenu);
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    panel.SetPopupMenu(&menu);
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), panel.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&panel, &request);
    EXPECT_TRUE(menu.isVisible());
    menu.close();
}

TEST(RadioPanel, ResizeHandlersMayChangeRefuseOrLimitTheNewSize)
{
    TEventsPage page(EventsLayout());
    auto *panel = page.findChild<TRadioPanel *>(QStringLiteral("Panel"));
    page.show();
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    page.seen.clear();
    panel->resize(150, 80);
    EXPECT_EQ(panel->width(), 151) << "OnCanResize adds one";
    EXPECT_EQ(page.seen, QStringList{QStringLiteral("resize Panel 151")});
    page.refuse = true;
    panel->resize(170, 80);
    EXPECT_EQ(panel->width(), 151);
    page.refuse = false;
    page.maxWidth = 160;
    panel->resize(190, 80);
    EXPECT_EQ(panel->width(), 160);
}

TEST(RadioPanel, AHandlerOfAnotherShapeIsRefused)
{
    QByteArray layout = EventsLayout();
    layout.replace("<string>Down</string>", "<string>Bad</string>");
    try {
        TEventsPage page(layout);
        ADD_FAILURE() << "layout accepted";
    } catch (const EReadError &e) {
        EXPECT_NE(std::string(e.what()).find("does not fit OnMouseDown"), std::string::npos) << e.what();
    }
}

TEST(RadioPanel, PaintsBorderBevelsAndBorderWidthFromTheEdgeInwards)
{
    TRadioPanel panel;
    panel.SetBorderStyle(TRadioPanel::bsSingle);
    panel.SetBevelOuter(TRadioPanel::bvRaised);
    panel.SetBevelWidth(2);
    panel.SetBorderWidth(1);
    panel.SetBevelInner(TRadioPanel::bvLowered);
    const QImage image = panel.grab().toImage();
    const QPalette &colors = panel.palette();
    const QRgb light = colors.color(QPalette::Active, QPalette::Light).rgb();
    const QRgb dark = colors.color(QPalette::Active, QPalette::Dark).rgb();
    const QRgb fill = ColorToQColor(panel.Color(), &panel).rgb();
    // Along the top-left diagonal and the bottom edge of the 194 x 100 panel, ring by ring.
    const QRgb topLeft[] = {qRgb(0, 0, 0), light, light, fill, dark, dark, fill};
    const QRgb bottom[] = {qRgb(0, 0, 0), dark, dark, fill, light, light, fill};
    for (int ring = 0; ring < 7; ++ring) {
        EXPECT_EQ(image.pixel(ring, ring), topLeft[ring]) << ring;
        EXPECT_EQ(image.pixel(97, 99 - ring), bottom[ring]) << ring;
    }
}

#include "test_radiopanel.moc"
