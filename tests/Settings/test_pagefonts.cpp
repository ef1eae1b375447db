#include "boardpage.h"
#include "designfonts.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTemporaryDir>

namespace {

// The family the layouts' "MS Sans Serif" resolves to after DesignFonts::Install.
QString Resolved()
{
    return QFontInfo(QFont(DesignFonts::LayoutFamily(), 8)).family();
}

void Uninstall()
{
    QFontDatabase::removeAllApplicationFonts();
    QFont::removeSubstitutions(DesignFonts::LayoutFamily());
}

// The width a text needs in its control, and the width the control gives it.
struct Fit
{
    int needed;
    int room;
};

int LineWidth(const QFontMetrics &metrics, const QString &text)
{
    int width = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        width = std::max(width, metrics.horizontalAdvance(line));
    return width;
}

Fit LabelFit(const QLabel *label)
{
    return {LineWidth(label->fontMetrics(), label->text()), label->contentsRect().width()};
}

Fit RadioFit(const QRadioButton *button)
{
    return {button->sizeHint().width(), button->width()};
}

Fit EditFit(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const int horizontalMargin = 2; // QLineEdit's own inset of the text
    return {edit->fontMetrics().horizontalAdvance(edit->text()), contents.width() - 2 * horizontalMargin};
}

// The closed list draws its entry inside the edit field less a pixel on each side.
Fit EntryFit(const QComboBox *list, int entry)
{
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.frame = list->hasFrame();
    option.subControls = QStyle::SC_All;
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    return {list->fontMetrics().horizontalAdvance(list->itemText(entry)), field.width() - 2};
}

} // namespace

// Run alone, by its own ctest entry: it takes the application's fonts away.
TEST(DesignFonts, LayoutFontResolvesToWinesFacesOrFallsBackWithoutThem)
{
    TApplication::Instance()->AwaitFonts(); // the start-up registration, which would undo Uninstall
    const QTemporaryDir empty;
    for (const QString &missing : {empty.path(), empty.filePath(QStringLiteral("absent"))}) {
        Uninstall();
        EXPECT_EQ(DesignFonts::Install(missing, 1.0), QString());
        EXPECT_NE(Resolved(), DesignFonts::LayoutFamily());
        EXPECT_NE(Resolved(), QStringLiteral("Tahoma"));
    }
    {
        TMainForm form; // the page still builds, in the fallback font
        EXPECT_EQ(form.font().family(), DesignFonts::LayoutFamily());
    }

    const struct
    {
        qreal ratio;
        const char *family;
    } cases[] = {{1.0, "MS Sans Serif"}, {2.0, "Tahoma"}};
    for (const auto &c : cases) {
        Uninstall();
        EXPECT_EQ(DesignFonts::Install(DesignFonts::WineDirectory(), c.ratio), QLatin1String(c.family)) << c.ratio;
        EXPECT_EQ(Resolved(), QLatin1String(c.family)) << c.ratio;
    }
}

// Dark pixels of a line of text.
int Ink(const QFont &font)
{
    QImage image(600, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(5, 40, QStringLiteral("PX-3208A Series Settings Program"));
    painter.end();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    }
    return ink;
}

TEST(DesignFonts, TheHeadersBoldTahomaIsDrawnBold)
{
    TApplication::Instance()->AwaitFonts();
    Uninstall();
    DesignFonts::Install(DesignFonts::WineDirectory(), 1.0);
    const QFont bold(QStringLiteral("Tahoma"), 18, QFont::Bold);
    ASSERT_EQ(QFontInfo(bold).family(), QStringLiteral("Tahoma"));
    EXPECT_GT(Ink(bold), Ink(QFont(QStringLiteral("Tahoma"), 18)) * 5 / 4);
}

TEST(PageFonts, APlatformThemesApplicationFontGivesWayToTheLayoutFont)
{
    const QFont layout = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::font(), layout);
    EXPECT_EQ(layout.family(), DesignFonts::LayoutFamily());
}

// Run at device pixel ratio 1 and, by a second ctest entry, 2. The panels are measured in the
// popups that host them, in the font they get there.
TEST(PageFonts, EveryTextFitsThePlaceItWasLaidOutFor)
{
    BoardPage page;
    for (TBoardHighlight *circle : page.circles) {
        page.Enter(circle);
        page.LeaveTo(page.Bare());
    }
    const QString family = qApp->devicePixelRatio() > 1.0 ? QStringLiteral("Tahoma") : DesignFonts::LayoutFamily();
    int texts = 0;
    const auto check = [&](const QWidget *control, const QString &text, Fit fit) {
        ++texts;
        EXPECT_EQ(QFontInfo(control->font()).family(), family) << control->objectName().toStdString();
        EXPECT_LE(fit.needed, fit.room) << control->objectName().toStdString() << " \"" << text.toStdString() << '"';
    };
    for (const QLabel *label : page.form.findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            check(label, label->text(), LabelFit(label));
    }
    for (const QRadioButton *button : page.form.findChildren<QRadioButton *>())
        check(button, button->text(), RadioFit(button));
    for (const QLineEdit *edit : page.form.findChildren<QLineEdit *>()) {
        if (!qobject_cast<QComboBox *>(edit->parentWidget()))
            check(edit, edit->text(), EditFit(edit));
    }
    for (const QComboBox *list : page.form.findChildren<QComboBox *>()) {
        for (int entry = 0; entry < list->count(); ++entry)
            check(list, list->itemText(entry), EntryFit(list, entry));
    }
    EXPECT_EQ(texts, 49); // 21 labels, 2 radio buttons, 1 edit box, 25 list entries
}
