#include "boardhighlight.h"
#include "component.h"
#include "highlightpage.h"
#include "tint.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <cmath>

namespace {

using H = TBoardHighlight;

QImage Grabbed(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QStringList Names(const QList<H *> &circles)
{
    QStringList names;
    for (const H *circle : circles)
        names << circle->objectName();
    return names;
}

QStringList LitCircles(const THighlightPage &page)
{
    QStringList lit;
    for (const H *circle : page.Board->findChildren<H *>()) {
        if (circle->Lit())
            lit << circle->objectName();
    }
    return lit;
}

// Rounds to the nearest integer, a tie to the even neighbour.
int RoundHalfEven(float value)
{
    const double whole = std::floor(double(value));
    const double fraction = double(value) - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        return int(whole) + 1;
    return int(whole);
}

int g_whitened = 0;

// The tint of one pixel, channel by channel from the ellipse's formula.
QRgb Tinted(QRgb base, int x, int y, int maxX, int maxY, float strength, TColor color, bool ring)
{
    const float scaleX = 2.0f / float(maxX);
    const float scaleY = 2.0f / float(maxY);
    const float u = float(x) * scaleX - 1.0f;
    const float v = float(y) * scaleY - 1.0f;
    const float d = u * u + v * v;
    if (d >= 1.0f)
        return base;
    float f = 0.16f;
    if (!(d < 0.5929f)) {
        f = 1.0f - 8.0f * std::fabs(std::sqrt(d) - 0.875f);
        if (ring) {
            f = f * 2.0f;
            if (f > 1.0f) {
                base = qRgb(255, 255, 255);
                f = 2.0f - f;
                ++g_whitened;
            }
        }
    }
    f = f * strength;
    const auto mix = [f](int from, int to) { return RoundHalfEven(float(from) * (1.0f - f) + float(to) * f); };
    return qRgb(mix(qRed(base), int(color & 0xFF)), mix(qGreen(base), int((color >> 8) & 0xFF)),
                mix(qBlue(base), int((color >> 16) & 0xFF)));
}

QImage Noise(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            image.setPixel(x, y, qRgb(seed >> 24, (seed >> 16) & 0xFF, (seed >> 8) & 0xFF));
        }
    }
    return image;
}

} // namespace

TEST(BoardHighlight, StartsWithItsDefaultsAndTheTypesSetTintAndStrengths)
{
    H circle;
    EXPECT_EQ(circle.size(), QSize(65, 65));
    EXPECT_TRUE(circle.CreatePopup());
    EXPECT_EQ(circle.HighlightType(), H::htSettings);
    EXPECT_EQ(circle.RadioPanel(), nullptr);
    EXPECT_TRUE(circle.Title().isEmpty());
    EXPECT_FALSE(circle.Lit() || circle.PopupActive() || circle.Pinned() || circle.Rendered());
    EXPECT_EQ(circle.Popup(), nullptr);
    EXPECT_EQ(circle.BoardMenu(), nullptr);
    const QMetaObject &meta = H::staticMetaObject;
    const int first = meta.propertyOffset();
    EXPECT_STREQ(meta.property(first).name(), "CreatePopup");
    EXPECT_STREQ(meta.property(first + 1).name(), "HighlightType");
    EXPECT_STREQ(meta.property(first + 2).name(), "RadioPanel");
    EXPECT_STREQ(meta.property(first + 3).name(), "Title");

    struct Row
    {
        H::THighlightType type;
        TColor tint;
        float normal, lit;
    };
    for (const Row &row : {Row{H::htOptions, 0xFF0000, 0.25f, 0.5f}, Row{H::htSettings, 0x00FFFF, 0.5f, 0.75f},
                           Row{H::htCalibration, 0x0000FF, 0.5f, 0.75f}}) {
        circle.SetHighlightType(row.type);
        EXPECT_EQ(circle.TintColor(), row.tint);
        EXPECT_EQ(circle.NormalStrength(), row.normal);
        EXPECT_EQ(circle.LitStrength(), row.lit);
        EXPECT_EQ(circle.ActiveLitStrength(), 1.0f);
    }

    circle.SetTitle(QStringLiteral("&Base &&Address"));
    EXPECT_EQ(circle.PlainTitle(), QStringLiteral("Base Address"));
    EXPECT_EQ(circle.TitleIdent(), QStringLiteral("BaseAddress"));
}

TEST(BoardHighlight, TitlesGiveTheirPlainTitleAndIdentifier)
{
    const QList<std::pair<QString, QString>> idents = {
        {QStringLiteral("&Base Address"), QStringLiteral("BaseAddress")},
        {QStringLiteral("&IRQ"), QStringLiteral("IRQ")},
        {QStringLiteral("&Digital I/O Connector"), QStringLiteral("DigitalIOConnector")},
        {QStringLiteral("&Analog I/O Connector"), QStringLiteral("AnalogIOConnector")},
        {QStringLiteral("DAC &Range Selection"), QStringLiteral("DACRangeSelection")},
        {QStringLiteral("&Single Ended/Differential"), QStringLiteral("SingleEndedDifferential")},
        {QStringLiteral("&A/D Range Selection"), QStringLiteral("ADRangeSelection")},
        {QStringLiteral("&Counter Connector"), QStringLiteral("CounterConnector")},
        {QStringLiteral("±12V Power Source"), QStringLiteral("VPowerSource")},
        {QStringLiteral("Options"), QStringLiteral("Options")},
        {QStringLiteral("_a1"), QStringLiteral("_a1")},
        {QStringLiteral("9 lives"), QStringLiteral("lives")},
        {QStringLiteral("1+2 = 3"), QString()},
        {QString(), QString()},
        {QStringLiteral("Ä&b"), QStringLiteral("b")},
    };
    for (const auto &[title, ident] : idents)
        EXPECT_EQ(MakeIdent(title), ident) << title.toStdString();
    EXPECT_EQ(StripAmpersands(QStringLiteral("&Base Address")), QStringLiteral("Base Address"));
    EXPECT_EQ(StripAmpersands(QStringLiteral("A && B&")), QStringLiteral("A  B"));
    EXPECT_EQ(StripAmpersands(QStringLiteral("±12V Power Source")), QStringLiteral("±12V Power Source"));
}

TEST(TintEllipse, FollowsTheFormulaPixelByPixel)
{
    const TColor colors[] = {0xFF0000, 0x00FFFF, 0x0000FF, 0x336699};
    const float strengths[] = {0.25f, 0.5f, 0.75f, 1.0f};
    for (const QSize size : {QSize(9, 7), QSize(30, 21)}) {
        const QImage base = Noise(size.width(), size.height(), size.width());
        for (const TColor color : colors) {
            for (const float strength : strengths) {
                for (const bool ring : {false, true}) {
                    QImage image = base;
                    TintEllipse(image, size.width() - 1, size.height() - 1, strength, color, ring);
                    for (int y = 0; y < size.height(); ++y) {
                        for (int x = 0; x < size.width(); ++x) {
                            const QRgb expected = Tinted(base.pixel(x, y), x, y, size.width() - 1,
                                                         size.height() - 1, strength, color, ring);
                            ASSERT_EQ(image.pixel(x, y), expected)
                                << x << "," << y << " strength " << strength << " ring " << ring;
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(g_whitened, 0) << "the active ring's white core";

    // Halves go to the even neighbour: 0.16 x 3.125 mixes exactly half and half in the disc.
    QImage disc(3, 3, QImage::Format_RGB32);
    disc.fill(qRgb(1, 3, 5));
    TintEllipse(disc, 2, 2, 3.125f, 0x000000, false);
    EXPECT_EQ(disc.pixel(1, 1), qRgb(0, 2, 2));
    EXPECT_EQ(disc.pixel(0, 0), qRgb(1, 3, 5)) << "outside the ellipse";

    QImage untouched = disc;
    TintEllipse(untouched, -1, 2, 1.0f, 0xFFFFFF, true);
    TintEllipse(untouched, 2, -1, 1.0f, 0xFFFFFF, true);
    EXPECT_EQ(untouched, disc);

    // Only 32-bit pixels are tinted: rows of other formats are shorter than the ellipse's.
    QImage gray(9, 7, QImage::Format_Grayscale8);
    gray.fill(100);
    const QImage grayBefore = gray;
    TintEllipse(gray, 8, 6, 1.0f, 0x00FFFF, true);
    EXPECT_EQ(gray, grayBefore);
}

TEST(BoardHighlight, RendersItsImagesOnceFromThePhotographBeneath)
{
    THighlightPage page;
    page.Show();
    H *alpha = page.Alpha;
    ASSERT_TRUE(alpha->Rendered());
    const QImage beneath = page.Board->Picture()->Image().copy(alpha->geometry());
    const auto tinted = [&](float strength, bool ring) {
        QImage image = beneath;
        TintEllipse(image, alpha->width() - 1, alpha->height() - 1, strength, alpha->TintColor(), ring);
        return image;
    };
    EXPECT_EQ(alpha->NormalImage(), tinted(0.5f, false));
    EXPECT_EQ(alpha->LitImage(), tinted(0.75f, false));
    EXPECT_EQ(alpha->ActiveLitImage(), tinted(1.0f, true));

    // At run time a new type repaints with the images already rendered.
    const QImage normal = alpha->NormalImage();
    alpha->SetHighlightType(H::htOptions);
    EXPECT_EQ(alpha->TintColor(), 0xFF0000u);
    EXPECT_EQ(Grabbed(alpha), normal);
    EXPECT_EQ(alpha->NormalImage(), normal);
    // Also a lit image first shown after the change: tinted as the type was when rendered.
    H *delta = page.Delta;
    QImage lit = page.Board->Picture()->Image().copy(delta->geometry());
    TintEllipse(lit, delta->width() - 1, delta->height() - 1, delta->LitStrength(), delta->TintColor(), false);
    delta->SetHighlightType(H::htOptions);
    EXPECT_EQ(delta->LitImage(), lit);

    // In design mode every paint renders them anew.
    Component::SetDesigning(&page, true);
    Grabbed(alpha);
    EXPECT_NE(alpha->NormalImage(), normal);
    EXPECT_EQ(alpha->NormalImage(), tinted(0.25f, false));
    Component::SetDesigning(&page, false);
}

TEST(BoardHighlight, PaintsTheImageThatLitAndPopupActiveChoose)
{
    THighlightPage page;
    page.Show();
    H *delta = page.Delta;
    delta->SetCreatePopup(false);
    EXPECT_EQ(Grabbed(delta), delta->NormalImage());
    delta->MouseEnter(0);
    EXPECT_TRUE(delta->Lit());
    EXPECT_EQ(Grabbed(delta), delta->LitImage());
    delta->SetPopupActive(true, false);
    EXPECT_EQ(Grabbed(delta), delta->ActiveLitImage());
    delta->Unlight();
    EXPECT_EQ(Grabbed(delta), delta->LitImage());
    delta->SetPopupActive(false, false);
    EXPECT_EQ(Grabbed(delta), delta->NormalImage());
}

TEST(BoardHighlight, HoveringLightsTheLinkGroupAndOpensOnePopup)
{
    THighlightPage page;
    page.Show();
    page.Beta2->MouseEnter(0);
    EXPECT_EQ(LitCircles(page), (QStringList{QStringLiteral("BetaHighlight"), QStringLiteral("BetaHighlight2")}))
        << "another type or an unlinked title stays dark";
    ASSERT_NE(page.Beta2->Popup(), nullptr);
    EXPECT_EQ(page.Beta->Popup(), nullptr) << "the partner found the group's window";
    EXPECT_EQ(page.findChildren<TPopupForm *>().size(), 1);

    // Hovered again without leaving: nothing happens, not even showing the popup.
    page.Beta2->Popup()->hide();
    page.Beta2->MouseEnter(0);
    page.Beta->MouseEnter(0);
    EXPECT_FALSE(page.Beta2->Popup()->isVisible());

    page.Beta2->Popup()->close();
    EXPECT_TRUE(LitCircles(page).isEmpty());
    page.Beta->MouseEnter(0);
    EXPECT_TRUE(page.Beta2->Popup()->isVisible()) << "the forwarded enter shows the partner's popup";
    EXPECT_EQ(page.findChildren<TPopupForm *>().size(), 1);
}

TEST(BoardHighlight, LinkGroupsNeedTheExactTitleAndType)
{
    QWidget form;
    auto *board = new TBoardImage(&form);
    const auto add = [board](const QString &title, H::THighlightType type) {
        auto *circle = new H(board);
        circle->setObjectName(title + QString::number(type));
        circle->SetTitle(title);
        circle->SetHighlightType(type);
        circle->SetCreatePopup(false);
        return circle;
    };
    H *a = add(QStringLiteral("&Same"), H::htSettings);
    add(QStringLiteral("&same"), H::htSettings);
    add(QStringLiteral("&Same"), H::htOptions);
    add(QString(), H::htOptions);
    add(QStringLiteral("&Same"), H::htSettings)->setObjectName(QStringLiteral("partner"));
    H *empty = add(QString(), H::htOptions);
    empty->setObjectName(QStringLiteral("empty"));
    a->MouseEnter(0);
    empty->MouseEnter(0);
    QStringList lit;
    for (const H *circle : board->findChildren<H *>()) {
        if (circle->Lit())
            lit << circle->objectName();
    }
    EXPECT_EQ(lit, (QStringList{QStringLiteral("&Same1"), QStringLiteral("0"), QStringLiteral("partner"),
                                QStringLiteral("empty")}));
}

TEST(BoardHighlight, ClickPinsTheGroupAndNeverUnpins)
{
    THighlightPage page;
    page.Show();
    QSignalSpy clicks(page.Beta2, &H::OnClick);
    page.Beta->MouseEnter(0);
    TPopupForm *popup = page.Beta->Popup();
    ASSERT_NE(popup, nullptr);
    QTest::mouseClick(page.Beta2, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(page.Beta->Pinned()) << "the member that holds the popup";
    EXPECT_FALSE(page.Beta2->Pinned());
    EXPECT_TRUE(page.Entry(QStringLiteral("&Settings"), QStringLiteral("&Beta"))->isChecked());
    page.Beta->Click();
    page.Beta2->Click();
    EXPECT_TRUE(page.Beta->Pinned());
    EXPECT_TRUE(popup->isVisible());

    // Pinned, the popup stays when the mouse leaves.
    QCursor::setPos(0, 0);
    page.Beta->MouseLeave(0);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(page.Beta->Lit() && page.Beta2->Lit());

    // A pinned popup that is not the active window shows its circles lit, not active-lit.
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page.Beta->PopupActive(); }));
    EXPECT_EQ(Grabbed(page.Beta), page.Beta->LitImage());
    popup->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.Beta->PopupActive() && page.Beta2->PopupActive(); }));
    EXPECT_EQ(Grabbed(page.Beta), page.Beta->ActiveLitImage());
}

TEST(BoardHighlight, ADoubleClickIsOneClick)
{
    THighlightPage page;
    page.Show();
    QSignalSpy clicks(page.Delta, &H::OnClick);
    // What the window system delivers: press, release, then the second press as a double click.
    QTest::mouseClick(page.Delta, Qt::LeftButton);
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(5, 5), page.Delta->mapToGlobal(QPointF(5, 5)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), page.Delta->mapToGlobal(QPointF(5, 5)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page.Delta, &second);
    QCoreApplication::sendEvent(page.Delta, &release);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(BoardHighlight, PopupActiveBringsTheWholeGroupToTheFrontInOrder)
{
    QWidget form;
    auto *board = new TBoardImage(&form);
    QList<H *> circles;
    for (const char *name : {"a1", "x", "a2", "a3", "y", "a4"}) {
        auto *circle = new H(board);
        circle->setObjectName(QLatin1String(name));
        circle->SetTitle(QLatin1String(name).startsWith('a') ? QStringLiteral("A") : QLatin1String(name));
        circles << circle;
    }
    circles[2]->SetPopupActive(true, true);
    EXPECT_EQ(Names(board->findChildren<H *>(Qt::FindDirectChildrenOnly)),
              (QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("a2"), QStringLiteral("a1"),
                           QStringLiteral("a3"), QStringLiteral("a4")}));
    for (const H *circle : circles)
        EXPECT_EQ(circle->PopupActive(), circle->Title() == QStringLiteral("A")) << circle->objectName().toStdString();
    circles[0]->SetPopupActive(false, false);
    EXPECT_FALSE(circles[0]->PopupActive());
    EXPECT_TRUE(circles[3]->PopupActive());
}

TEST(BoardHighlight, OffTheBoardPictureACircleForwardsNothingAndHasNoMenu)
{
    QMainWindow form;
    auto *client = new QWidget;
    form.setCentralWidget(client);
    form.menuBar()->addMenu(QStringLiteral("&Help"));
    auto *circle = new H(client);
    auto *partner = new H(client);
    circle->SetTitle(QStringLiteral("&Loose"));
    partner->SetTitle(QStringLiteral("&Loose"));
    partner->move(100, 0);
    form.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return circle->Rendered(); }));
    EXPECT_EQ(circle->BoardMenu(), nullptr);
    EXPECT_EQ(form.menuBar()->actions().size(), 1);

    circle->MouseEnter(0);
    EXPECT_TRUE(circle->Lit());
    ASSERT_NE(circle->Popup(), nullptr);
    EXPECT_TRUE(circle->Popup()->isVisible());
    EXPECT_FALSE(partner->Lit());
    circle->Click();
    EXPECT_FALSE(partner->Pinned());
    circle->Popup()->close();
    EXPECT_FALSE(circle->Lit());
}
