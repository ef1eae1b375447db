#include "formloader.h"
#include "form.h"
#include "jumpers.h"
#include "radiopanel.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using J = TJumperControl;

// The painted control, read at the centre of each logical pixel whatever the device ratio.
class Shot
{
public:
    explicit Shot(QWidget *control) : m_image(control->grab().toImage()) {}

    QRgb At(int x, int y) const
    {
        const qreal ratio = m_image.devicePixelRatio();
        return m_image.pixel(int((x + 0.5) * ratio), int((y + 0.5) * ratio));
    }
    // The logical pixels of one colour inside area, as a rectangle.
    QRect Extent(QRgb color, const QRect &area) const
    {
        QRect extent;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (At(x, y) == color)
                    extent |= QRect(x, y, 1, 1);
        return extent;
    }
    bool Contains(QRgb color) const
    {
        for (int y = 0; y < m_image.height(); ++y)
            for (int x = 0; x < m_image.width(); ++x)
                if (m_image.pixel(x, y) == color)
                    return true;
        return false;
    }

private:
    QImage m_image;
};

QRgb Rgb(TColor color)
{
    return ColorToQColor(color, nullptr).rgb();
}

const QRgb Black = Rgb(clBlack);
const QRgb Base = Rgb(clGray);
const QRgb Pin = Rgb(clYellow);
const QRgb Shunt = Rgb(clMaroon);
// The button face of the application's palette, known once the application exists.
QRgb Face()
{
    return Rgb(clBtnFace);
}

// A rectangle (left, top, right, bottom), right and bottom excluded.
QRect Box(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// An ellipse drawn into box: the rasteriser may leave out one edge row or column.
::testing::AssertionResult FillsEllipse(const QRect &extent, const QRect &box)
{
    if (box.contains(extent) && extent.contains(box.adjusted(1, 1, -1, -1)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "extent " << extent.x() << ',' << extent.y() << ' ' << extent.width()
                                         << 'x' << extent.height() << " for box " << box.x() << ',' << box.y()
                                         << ' ' << box.width() << 'x' << box.height();
}

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;
    // Waits for a paint after the ones counted so far.
    bool WaitForPaint()
    {
        const int seen = count;
        return QTest::qWaitFor([&] { return count > seen; }, 1000);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

void Send(QWidget *target, QEvent::Type type, QPoint pos = QPoint(5, 5))
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, target->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

TEST(Jumpers, FreshControlsHaveTheirDefaults)
{
    TTwoJumper two;
    EXPECT_EQ(two.size(), QSize(34, 18));
    EXPECT_FALSE(two.Closed());
    EXPECT_EQ(two.BaseColor(), 0x808080u);
    EXPECT_EQ(two.PinColor(), 0x00FFFFu);
    EXPECT_EQ(two.JumperColor(), 0x000080u);
    EXPECT_EQ(two.Orientation(), J::otUp);
    EXPECT_EQ(two.BorderStyle(), J::bsSingle);
    EXPECT_FALSE(two.Painted());
    TThreeJumper three;
    EXPECT_EQ(three.size(), QSize(43, 18));
    EXPECT_EQ(three.JumperState(), J::jsOpen);
    EXPECT_TRUE(three.AllowOpen());

    // Published in this order, with the ordinals of the enumerations.
    QStringList names;
    for (int i = QWidget::staticMetaObject.propertyCount(); i < TThreeJumper::staticMetaObject.propertyCount(); ++i)
        names << TThreeJumper::staticMetaObject.property(i).name();
    EXPECT_EQ(names.join(','), "JumperState,BaseColor,PinColor,JumperColor,Orientation,BorderStyle,AllowOpen,Tag");
    const QMetaEnum orientation = QMetaEnum::fromType<J::TOrientationType>();
    EXPECT_EQ(orientation.keyToValue("otRight"), 3);
    EXPECT_EQ(QMetaEnum::fromType<J::TJumperState>().keyToValue("jsRight"), 2);
}

TEST(Jumpers, TwoPinDrawingsHaveTheWorkedMeasures)
{
    TTwoJumper open;
    Shot a(&open);
    EXPECT_EQ(a.At(0, 9), Face());
    EXPECT_EQ(a.At(17, 17), Face());
    EXPECT_EQ(a.At(17, 1), Black); // rounded body (1, 1, 33, 17)
    EXPECT_EQ(a.At(17, 16), Black);
    EXPECT_EQ(a.At(1, 9), Black);
    EXPECT_EQ(a.At(32, 9), Black);
    EXPECT_EQ(a.At(17, 9), Base);
    EXPECT_TRUE(FillsEllipse(a.Extent(Pin, QRect(0, 0, 17, 18)), Box(8, 6, 14, 12)));
    EXPECT_TRUE(FillsEllipse(a.Extent(Pin, QRect(17, 0, 17, 18)), Box(20, 6, 26, 12)));

    TTwoJumper closed;
    closed.SetClosed(true);
    Shot b(&closed);
    EXPECT_EQ(b.At(0, 0), Black); // shunt (0, 0, 34, 18)
    EXPECT_EQ(b.At(33, 17), Black);
    EXPECT_EQ(b.At(17, 9), Shunt);
    EXPECT_EQ(b.At(2, 2), Shunt);
    EXPECT_TRUE(FillsEllipse(b.Extent(Pin, QRect(0, 0, 17, 18)), Box(8, 6, 14, 12)));
    EXPECT_TRUE(FillsEllipse(b.Extent(Pin, QRect(17, 0, 17, 18)), Box(20, 6, 26, 12)));

    TTwoJumper low;
    low.resize(34, 17);
    Shot c(&low);
    EXPECT_EQ(c.At(17, 15), Black); // rounded body (1, 1, 33, 16)
    EXPECT_EQ(c.At(17, 16), Face());
    EXPECT_TRUE(FillsEllipse(c.Extent(Pin, QRect(0, 0, 17, 17)), Box(8, 5, 14, 11)));
    EXPECT_TRUE(FillsEllipse(c.Extent(Pin, QRect(17, 0, 17, 17)), Box(20, 5, 26, 11)));

    // Stored vertical: drawn as 34 x 18, then a quarter turn counter-clockwise.
    TTwoJumper vertical;
    vertical.resize(18, 34);
    vertical.SetOrientation(J::otLeft);
    Shot d(&vertical);
    EXPECT_EQ(vertical.size(), QSize(18, 34));
    EXPECT_EQ(d.At(9, 33), Face());
    EXPECT_EQ(d.At(1, 16), Black);
    EXPECT_EQ(d.At(16, 16), Black);
    EXPECT_EQ(d.At(9, 16), Base);
    EXPECT_TRUE(FillsEllipse(d.Extent(Pin, QRect(0, 17, 18, 17)), Box(6, 20, 12, 26)));
    EXPECT_TRUE(FillsEllipse(d.Extent(Pin, QRect(0, 0, 18, 17)), Box(6, 8, 12, 14)));
}

TEST(Jumpers, ThreePinDrawingsHaveTheWorkedMeasures)
{
    TThreeJumper jumper;
    jumper.SetJumperState(J::jsLeft);
    Shot left(&jumper);
    EXPECT_EQ(left.At(0, 9), Black); // shunt (0, 0, 27, 18)
    EXPECT_EQ(left.At(26, 9), Black);
    EXPECT_EQ(left.At(13, 17), Black);
    EXPECT_EQ(left.At(15, 9), Shunt);
    EXPECT_EQ(left.At(28, 9), Base);  // rounded body (1, 1, 42, 17)
    EXPECT_EQ(left.At(41, 9), Black);
    EXPECT_EQ(left.At(42, 9), Face());
    EXPECT_TRUE(FillsEllipse(left.Extent(Pin, QRect(0, 0, 15, 18)), Box(7, 6, 13, 12)));
    EXPECT_TRUE(FillsEllipse(left.Extent(Pin, QRect(15, 0, 12, 18)), Box(18, 6, 24, 12)));
    EXPECT_TRUE(FillsEllipse(left.Extent(Pin, QRect(27, 0, 16, 18)), Box(30, 6, 36, 12)));

    jumper.SetJumperState(J::jsRight);
    Shot right(&jumper);
    EXPECT_EQ(right.At(15, 9), Black); // shunt (15, 0, 43, 18)
    EXPECT_EQ(right.At(42, 9), Black);
    EXPECT_EQ(right.At(27, 9), Shunt);
    EXPECT_EQ(right.At(14, 9), Base);
    EXPECT_EQ(right.At(1, 9), Black);
    EXPECT_EQ(right.At(0, 9), Face());
    EXPECT_TRUE(FillsEllipse(right.Extent(Pin, QRect(27, 0, 16, 18)), Box(30, 6, 36, 12)));
}

TEST(Jumpers, TurnsPlaceTheShunt)
{
    struct Case
    {
        J::TOrientationType orientation;
        J::TJumperState state;
        QPoint shunt;
        QPoint body;
    };
    // Drawing (3, 9) lies in a jsLeft shunt, (39, 9) in a jsRight one.
    const Case cases[] = {
        {J::otUp, J::jsLeft, {3, 9}, {39, 9}},
        {J::otDown, J::jsLeft, {39, 8}, {3, 8}},   // on the right
        {J::otLeft, J::jsLeft, {9, 39}, {9, 3}},   // on the lower pair
        {J::otRight, J::jsLeft, {8, 3}, {8, 39}},  // on the upper pair
        {J::otLeft, J::jsRight, {9, 3}, {9, 39}},  // on the upper pair
    };
    for (const Case &c : cases) {
        TThreeJumper jumper;
        if (c.orientation >= J::otLeft)
            jumper.resize(18, 43);
        jumper.SetOrientation(c.orientation);
        jumper.SetJumperState(c.state);
        Shot shot(&jumper);
        EXPECT_EQ(shot.At(c.shunt.x(), c.shunt.y()), Shunt) << c.orientation << ' ' << c.state;
        EXPECT_EQ(shot.At(c.body.x(), c.body.y()), Base) << c.orientation << ' ' << c.state;
    }
}

TEST(Jumpers, WithoutBorderOnlyTheThreePinShuntIsOutlined)
{
    TTwoJumper two;
    two.SetBorderStyle(J::bsNone);
    EXPECT_FALSE(Shot(&two).Contains(Black));
    two.SetClosed(true);
    EXPECT_FALSE(Shot(&two).Contains(Black));

    TThreeJumper three;
    three.SetBorderStyle(J::bsNone);
    EXPECT_FALSE(Shot(&three).Contains(Black));
    three.SetJumperState(J::jsLeft);
    Shot shot(&three);
    EXPECT_EQ(shot.Extent(Black, three.rect()), Box(0, 0, 27, 18));
    EXPECT_EQ(shot.At(41, 9), Base);
}

TEST(Jumpers, BackgroundIsTheRadioPanelsColour)
{
    QWidget plain;
    TTwoJumper outside(&plain);
    EXPECT_EQ(Shot(&outside).At(0, 9), Face());

    TRadioPanel panel;
    panel.SetColor(0x00FF00);
    TTwoJumper inside(&panel);
    EXPECT_EQ(Shot(&inside).At(0, 9), qRgb(0, 255, 0));
}

TEST(Jumpers, DisabledJumperLooksTheSameAndTakesNoClicks)
{
    TThreeJumper jumper;
    jumper.SetJumperState(J::jsLeft);
    const QImage enabled = jumper.grab().toImage();
    jumper.setEnabled(false);
    EXPECT_EQ(jumper.grab().toImage(), enabled);
    QSignalSpy clicks(&jumper, &J::OnClick);
    Send(&jumper, QEvent::MouseButtonPress);
    Send(&jumper, QEvent::MouseButtonRelease);
    EXPECT_EQ(jumper.JumperState(), J::jsLeft);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(Jumpers, SizeIsExchangedOnlyAfterTheFirstPaint)
{
    QWidget host;
    host.resize(100, 100);
    TTwoJumper jumper(&host);
    PaintCounter paints(&jumper);

    // Loaded vertical: the stored size already fits, the first paint only clears the swap.
    jumper.resize(18, 34);
    jumper.SetOrientation(J::otLeft);
    EXPECT_TRUE(jumper.SwapPending());
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    ASSERT_TRUE(paints.count > 0 || paints.WaitForPaint());
    QTest::qWait(20);
    EXPECT_FALSE(jumper.SwapPending());
    EXPECT_EQ(jumper.size(), QSize(18, 34));

    jumper.SetOrientation(J::otRight); // same pair
    ASSERT_TRUE(paints.WaitForPaint());
    QTest::qWait(20);
    EXPECT_EQ(jumper.size(), QSize(18, 34));

    jumper.SetOrientation(J::otUp);
    EXPECT_EQ(jumper.size(), QSize(18, 34)); // at the end of the next paint
    EXPECT_TRUE(QTest::qWaitFor([&] { return jumper.size() == QSize(34, 18); }, 1000));
    ASSERT_TRUE(paints.WaitForPaint());
    EXPECT_EQ(jumper.Orientation(), J::otUp);

    // Turned there and back before a paint: nothing to exchange.
    jumper.SetOrientation(J::otLeft);
    jumper.SetOrientation(J::otDown);
    ASSERT_TRUE(paints.WaitForPaint());
    QTest::qWait(20);
    EXPECT_EQ(jumper.size(), QSize(34, 18));
}

TEST(Jumpers, UnchangedValuesRepaintNothing)
{
    QWidget host;
    TTwoJumper two(&host);
    TThreeJumper three(&host);
    three.move(0, 20);
    PaintCounter twoPaints(&two);
    PaintCounter threePaints(&three);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QTest::qWait(20);

    const int before = twoPaints.count + threePaints.count;
    two.SetClosed(false);
    two.SetBaseColor(clGray);
    two.SetPinColor(clYellow);
    two.SetJumperColor(clMaroon);
    two.SetOrientation(J::otUp);
    two.SetBorderStyle(J::bsSingle);
    three.SetJumperState(J::jsOpen);
    three.SetAllowOpen(true);
    QTest::qWait(50);
    EXPECT_EQ(twoPaints.count + threePaints.count, before);

    three.SetJumperState(J::jsRight);
    three.SetAllowOpen(false);
    ASSERT_TRUE(threePaints.WaitForPaint());
    const int settled = threePaints.count;
    three.SetJumperState(J::jsOpen); // refused while AllowOpen is false
    QTest::qWait(50);
    EXPECT_EQ(three.JumperState(), J::jsRight);
    EXPECT_EQ(threePaints.count, settled);

    two.SetBorderStyle(J::bsNone);
    EXPECT_TRUE(twoPaints.WaitForPaint());
}

TEST(Jumpers, ClicksCycleTheState)
{
    TThreeJumper three;
    QVector<int> seen;
    QObject::connect(&three, &J::OnClick, [&](QObject *sender) {
        EXPECT_EQ(sender, &three);
        seen << three.JumperState();
    });
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(&three, Qt::LeftButton);
    EXPECT_EQ(seen, (QVector<int>{J::jsLeft, J::jsRight, J::jsOpen, J::jsLeft}));

    seen.clear();
    three.SetJumperState(J::jsOpen);
    three.SetAllowOpen(false);
    EXPECT_EQ(three.JumperState(), J::jsLeft);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(&three, Qt::LeftButton);
    EXPECT_EQ(seen, (QVector<int>{J::jsRight, J::jsLeft, J::jsRight}));

    TTwoJumper two;
    QVector<bool> closed;
    QObject::connect(&two, &J::OnClick, [&] { closed << two.Closed(); });
    QTest::mouseClick(&two, Qt::LeftButton);
    QTest::mouseClick(&two, Qt::LeftButton);
    two.SetClosed(true); // from code: no click
    QTest::mouseClick(&two, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(&two, Qt::RightButton);
    EXPECT_EQ(closed, (QVector<bool>{true, false, false}));
}

TEST(Jumpers, OnlyAPressReleasedOverTheControlClicks)
{
    TTwoJumper jumper;
    QSignalSpy clicks(&jumper, &J::OnClick);

    // A double click: press, release, second press as double click, release.
    Send(&jumper, QEvent::MouseButtonPress);
    Send(&jumper, QEvent::MouseButtonRelease);
    Send(&jumper, QEvent::MouseButtonDblClick);
    Send(&jumper, QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(jumper.Closed());

    Send(&jumper, QEvent::MouseButtonPress);
    Send(&jumper, QEvent::MouseButtonRelease, QPoint(40, 5));
    Send(&jumper, QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(jumper.Closed());
}

// The test page: jumpers in every orientation and a radio-enabled panel.
class TJumperPage : public TForm
{
    Q_OBJECT
public:
    TJumperPage() { TFormLoader(this).Load(QStringLiteral(":/pages/jumpers.ui")); }

    template <typename T>
    T *Get(const char *name) const
    {
        T *component = findChild<T *>(QLatin1String(name));
        EXPECT_NE(component, nullptr) << name;
        return component;
    }
    QStringList events;

public slots:
    void JumperClick(QObject *Sender) { events << "click " + Sender->objectName(); }
    void OptionPanelRadioChange(QObject *Sender) { events << "radio " + Sender->objectName(); }
    void OptionPanelActivate(QObject *Sender) { events << "activate " + Sender->objectName(); }
    void OptionPanelDeactivate(QObject *Sender) { events << "deactivate " + Sender->objectName(); }
};

TEST(Jumpers, TestPageLoadsThroughTheLoader)
{
    TJumperPage page;
    auto *up = page.Get<TTwoJumper>("JumperUp");
    auto *left = page.Get<TTwoJumper>("JumperLeft");
    auto *threeLeft = page.Get<TThreeJumper>("ThreeLeft");
    auto *threeDown = page.Get<TThreeJumper>("ThreeDown");
    auto *panel = page.Get<TRadioPanel>("OptionPanel");
    auto *option2 = page.Get<TTwoJumper>("OptionJumper2");
    ASSERT_TRUE(up && left && threeLeft && threeDown && panel && option2);

    EXPECT_TRUE(up->Closed());
    EXPECT_EQ(up->Tag(), 1);
    EXPECT_EQ(page.Get<TTwoJumper>("JumperDown")->BorderStyle(), J::bsNone);
    EXPECT_EQ(left->Orientation(), J::otLeft);
    EXPECT_EQ(page.Get<TTwoJumper>("JumperRight")->Orientation(), J::otRight);
    EXPECT_EQ(threeLeft->JumperState(), J::jsLeft);
    EXPECT_FALSE(threeLeft->AllowOpen());
    EXPECT_EQ(threeDown->BaseColor(), 0x808000u);
    EXPECT_EQ(threeDown->PinColor(), 0xFFFFFFu);
    EXPECT_EQ(threeDown->JumperColor(), 0xFF0000u);
    EXPECT_TRUE(panel->RadioEnabled());
    EXPECT_EQ(panel->Lines(), (QStringList{"Pick one jumper.", "The others open."}));
    EXPECT_EQ(panel->MemoHeight(), 40);
    EXPECT_EQ(panel->FinalAnchors(), Anchors::akLeft | Anchors::akTop | Anchors::akRight);
    EXPECT_EQ(panel->Tag(), 3);

    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    EXPECT_TRUE(panel->isHidden());
    EXPECT_TRUE(QTest::qWaitFor([&] { return left->Painted() && threeLeft->Painted(); }, 1000));
    QTest::qWait(20);
    EXPECT_EQ(left->size(), QSize(18, 34)); // stored vertical sizes are kept
    EXPECT_EQ(threeLeft->size(), QSize(18, 43));

    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(option2, Qt::LeftButton);
    QTest::mouseClick(page.Get<TThreeJumper>("OptionThree"), Qt::LeftButton);
    panel->OnActivate()(&page);
    panel->OnDeactivate()(&page);
    EXPECT_EQ(page.events, (QStringList{"click JumperUp", "radio OptionJumper2", "click OptionJumper2",
                                        "click OptionThree", "activate JumperPage", "deactivate JumperPage"}));
    EXPECT_FALSE(page.Get<TTwoJumper>("OptionJumper1")->Closed());
}

#include "test_jumpers.moc"
