#include "application.h"
#include "boardimage.h"
#include "component.h"
#include "form.h"
#include "formloader.h"
#include "infoforms.h"
#include "jpegsamples.h"
#include "warningguard.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QMainWindow>
#include <QTemporaryFile>
#include <QTest>
#include <memory>

namespace {

// The test pattern as a progressive JPEG in a temporary file.
std::unique_ptr<QTemporaryFile> JpegFile(int width, int height)
{
    auto file = std::make_unique<QTemporaryFile>();
    if (file->open()) {
        file->write(JpegSamples::Encode(JpegSamples::Quadrants(width, height), JpegSamples::Progressive));
        file->close();
    }
    return file;
}

// A circle stand-in that records the walk's calls.
class TWalkDouble : public QWidget, public TWalkTarget
{
public:
    using QWidget::QWidget;
    QStringList calls;
    void MouseEnter(int forwarded) override { calls << QStringLiteral("enter %1").arg(forwarded); }
    void Click() override { calls << QStringLiteral("click"); }
    void MouseLeave(int forwarded) override { calls << QStringLiteral("leave %1").arg(forwarded); }
};

// Counts the paints a widget receives.
class TPaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// A main window whose client area holds the board picture as the page lays it out.
struct BoardForm
{
    QMainWindow form;
    QWidget *client = new QWidget;
    TBoardImage *board = new TBoardImage(client);

    BoardForm()
    {
        form.setCentralWidget(client);
        board->SetAutoSize(false);
        board->setGeometry(223, 130, 400, 400);
        form.winId(); // the frame exists from here on
    }
    void Show(const QSize &outer)
    {
        SetOuterSize(&form, outer);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    void SetPhoto(int width = 600, int height = 611)
    {
        board->Picture()->SetImage(JpegSamples::Quadrants(width, height));
    }
};

QSize Outer(const QWidget &window)
{
    return window.frameGeometry().size();
}

} // namespace

TEST(BoardImage, RatioFollowsThePictureAndSurvivesClearing)
{
    TBoardImage board;
    board.SetPicture(nullptr);
    EXPECT_EQ(board.Ratio(), 1.0);
    board.Picture()->SetImage(JpegSamples::Quadrants(600, 611));
    EXPECT_DOUBLE_EQ(board.Ratio(), 611.0 / 600.0);
    EXPECT_EQ(board.size(), QSize(600, 611)); // AutoSize
    board.Picture()->Clear();
    EXPECT_DOUBLE_EQ(board.Ratio(), 611.0 / 600.0);
    EXPECT_EQ(board.size(), QSize(600, 611));

    board.SetAutoSize(false);
    board.setMaximumSize(400, 400);
    board.Picture()->SetImage(JpegSamples::Quadrants(300, 100));
    EXPECT_EQ(board.size(), QSize(400, 400));
    board.SetAutoSize(true);
    EXPECT_EQ(board.size(), QSize(300, 100));
    board.Picture()->SetImage(JpegSamples::Quadrants(600, 611));
    EXPECT_EQ(board.size(), QSize(400, 400)); // the constraint caps the auto size
}

TEST(BoardImage, AssigningAPictureCopiesIt)
{
    TBoardImage board;
    board.SetAutoSize(false);
    TPicture source;
    source.SetImage(JpegSamples::Quadrants(600, 611));
    int changes = 0;
    QObject::connect(board.Picture(), &TPicture::OnChange, [&] { ++changes; });
    board.SetPicture(&source);
    EXPECT_EQ(changes, 1);
    source.Clear();
    EXPECT_EQ(board.Picture()->Width(), 600);
    EXPECT_EQ(board.Picture()->Height(), 611);
    board.SetPicture(nullptr);
    EXPECT_FALSE(board.Picture()->HasGraphic());
}

TEST(BoardImage, DrawsIntoTheRectangleOfStretchCentreOrNaturalSize)
{
    TBoardImage board;
    board.SetAutoSize(false);
    board.resize(400, 400);
    board.Picture()->SetImage(JpegSamples::Quadrants(600, 611));
    // Where the control's point (250, 290) falls: stretched into the white quadrant, at natural
    // size into the red one; centred, the control's corner shows the picture's point (100, 105).
    board.SetStretch(true);
    EXPECT_EQ(board.DestRect(), QRect(0, 0, 400, 400));
    EXPECT_EQ(board.grab().toImage().pixel(250, 290), qRgb(255, 255, 255));
    EXPECT_EQ(board.grab().toImage().pixel(399, 0), qRgb(0, 255, 0));

    board.SetStretch(false);
    board.SetCenter(true);
    EXPECT_EQ(board.DestRect(), QRect(-100, -105, 600, 611));
    EXPECT_EQ(board.grab().toImage().pixel(199, 199), qRgb(255, 0, 0));
    EXPECT_EQ(board.grab().toImage().pixel(200, 200), qRgb(255, 255, 255));

    board.SetCenter(false);
    EXPECT_EQ(board.DestRect(), QRect(0, 0, 600, 611));
    EXPECT_EQ(board.grab().toImage().pixel(250, 290), qRgb(255, 0, 0));
}

TEST(BoardImage, DeclaresItselfOpaqueOnlyWhenThePictureCoversIt)
{
    TBoardImage board;
    board.SetAutoSize(false);
    board.resize(400, 400);
    board.Picture()->SetImage(JpegSamples::Quadrants(300, 300));
    EXPECT_FALSE(board.testAttribute(Qt::WA_OpaquePaintEvent));
    board.SetStretch(true);
    EXPECT_TRUE(board.testAttribute(Qt::WA_OpaquePaintEvent));
    board.SetTransparent(true);
    EXPECT_TRUE(board.Picture()->Transparent());
    EXPECT_FALSE(board.testAttribute(Qt::WA_OpaquePaintEvent));
    board.SetTransparent(false);
    board.SetStretch(false);
    board.Picture()->SetImage(JpegSamples::Quadrants(600, 611));
    EXPECT_TRUE(board.testAttribute(Qt::WA_OpaquePaintEvent));
    board.Picture()->Clear();
    EXPECT_FALSE(board.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(BoardImage, AnUnchangedValueOrAReferenceRepaintsNothing)
{
    BoardForm page;
    page.SetPhoto();
    page.Show(QSize(873, 737));
    TPaintCounter counter;
    page.board->installEventFilter(&counter);
    QMenuBar menu;
    page.board->SetStretch(false);
    page.board->SetCenter(false);
    page.board->SetScale(true);
    page.board->SetTransparent(false);
    page.board->SetMenu(&menu);
    page.board->SetCenterOnForm(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    page.board->SetStretch(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
}

TEST(BoardImage, RecordsItsPlaceThenCentresOnTheFormsOuterSize)
{
    BoardForm page;
    page.SetPhoto();
    page.Show(QSize(873, 737));
    ASSERT_EQ(Outer(page.form), QSize(873, 737));
    EXPECT_TRUE(page.board->PositionRecorded());
    EXPECT_EQ(page.board->DesignLeft(), 223);
    EXPECT_EQ(page.board->DesignTop(), 130);
    EXPECT_EQ(page.board->pos(), QPoint(236, 168));

    SetOuterSize(&page.form, QSize(1001, 801));
    QCoreApplication::processEvents();
    EXPECT_EQ(page.board->pos(), QPoint(300, 200));
    EXPECT_EQ(page.board->DesignLeft(), 223);
    EXPECT_EQ(page.board->DesignTop(), 130);
}

TEST(BoardImage, StandsAtANegativeLeftInANarrowerForm)
{
    BoardForm page;
    page.Show(QSize(300, 737));
    ASSERT_EQ(Outer(page.form).width(), 300);
    EXPECT_EQ(page.board->x(), -50);
}

TEST(BoardImage, WithoutCenterOnFormStaysWhereTheLayoutPutIt)
{
    BoardForm page;
    page.board->SetCenterOnForm(false);
    page.Show(QSize(873, 737));
    SetOuterSize(&page.form, QSize(1001, 801));
    QCoreApplication::processEvents();
    EXPECT_EQ(page.board->pos(), QPoint(223, 130));
    EXPECT_TRUE(page.board->PositionRecorded());
    EXPECT_EQ(page.board->DesignLeft(), 223);
    EXPECT_EQ(page.board->DesignTop(), 130);
}

TEST(BoardImage, EveryPaintCentresItAgain)
{
    BoardForm page;
    page.Show(QSize(873, 737));
    page.board->move(10, 10);
    page.board->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(page.board->pos(), QPoint(236, 168));

    page.board->SetCenterOnForm(false);
    page.board->move(10, 10);
    page.board->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(page.board->pos(), QPoint(10, 10));
    page.board->SetCenterOnForm(true);
    page.board->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(page.board->pos(), QPoint(236, 168));
}

TEST(BoardImage, WithAutoSizeKeepsThePicturesSize)
{
    BoardForm page;
    page.SetPhoto();
    page.board->SetAutoSize(true);
    page.Show(QSize(873, 737));
    ASSERT_EQ(page.board->size(), QSize(600, 611));
    page.board->resize(100, 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(page.board->size(), QSize(600, 611));
}

TEST(BoardImage, InADesignerScalesItsHeightAndDrawsAFrame)
{
    BoardForm page;
    Component::SetDesigning(&page.form, true);
    page.Show(QSize(873, 737));
    EXPECT_EQ(page.board->pos(), QPoint(223, 130)); // no centring while designing
    EXPECT_EQ(page.board->height(), 400);           // Ratio 1 while empty
    EXPECT_EQ(page.board->grab().toImage().pixel(2, 0), qRgb(0, 0, 0)); // the dashed frame

    page.SetPhoto();
    EXPECT_EQ(page.board->height(), 407);
    page.board->resize(900, 10);
    EXPECT_EQ(page.board->height(), 916); // 916.5 rounds to even
    page.board->resize(400, 400);
    page.board->setMaximumSize(400, 400);
    page.board->SetScale(false);
    page.board->SetScale(true);
    EXPECT_EQ(page.board->height(), 400); // capped by the constraint

    Component::SetDesigning(&page.form, false);
    page.board->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    page.board->resize(400, 400);
    EXPECT_EQ(page.board->height(), 400); // Scale has no effect at run time
}

TEST(BoardImage, TheWalkMessageEntersClicksAndLeavesFirst)
{
    TBoardImage board;
    QEvent walk{QEvent::Type(WM_STARTWALK)};
    EXPECT_TRUE(QCoreApplication::sendEvent(&board, &walk)); // no First: nothing happens

    auto *circle = new TWalkDouble(&board);
    ASSERT_TRUE(board.setProperty("First", QVariant::fromValue<QWidget *>(circle)));
    QCoreApplication::sendEvent(&board, &walk);
    QCoreApplication::sendEvent(&board, &walk);
    EXPECT_EQ(circle->calls, QStringList({"enter 0", "click", "leave 0", "enter 0", "click", "leave 0"}));

    delete circle;
    EXPECT_EQ(board.First(), nullptr);
    QCoreApplication::sendEvent(&board, &walk);
    QWidget plain;
    board.SetFirst(&plain); // not a circle: nothing to walk
    QCoreApplication::sendEvent(&board, &walk);
}

TEST(BoardImage, TheHelpWindowsStartButtonReachesIt)
{
    BoardForm page;
    auto *circle = new TWalkDouble(page.board);
    page.board->SetFirst(circle);
    TApplication *app = TApplication::Instance();
    QWidget *previous = app->MainForm();
    app->SetMainForm(&page.form);
    THelpForm help(&page.form);
    help.StartButtonClick();
    app->SetMainForm(previous);
    EXPECT_EQ(circle->calls, QStringList({"enter 0", "click", "leave 0"}));
}

TEST(BoardImage, LoadsItsPictureFromAJpegFileNamedByPicture)
{
    TBoardImage board;
    board.SetAutoSize(false);
    const auto file = JpegFile(600, 611);
    ASSERT_GT(file->size(), 0);

    ASSERT_TRUE(board.setProperty("Picture", file->fileName()));
    EXPECT_EQ(board.Picture()->Image().size(), QSize(600, 611));
    EXPECT_EQ(board.property("Picture").toString(), file->fileName());
    EXPECT_DOUBLE_EQ(board.Ratio(), 611.0 / 600.0);

    // Unreadable data: a warning, an empty picture, and the program goes on.
    ASSERT_TRUE(file->open());
    file->resize(100);
    file->close();
    const QString missing = file->fileName() + QStringLiteral(".missing");
    // A device would never end the read; a directory cannot be read at all.
    for (const QString &name : {missing, file->fileName(), QStringLiteral("/dev/zero"), QDir::tempPath()}) {
        board.Picture()->SetImage(JpegSamples::Quadrants(10, 10));
        ExpectQtWarning warning(QStringLiteral("cannot be read"));
        board.SetPictureSource(name);
        EXPECT_EQ(warning.Count(), 1);
        EXPECT_FALSE(board.Picture()->HasGraphic());
        EXPECT_TRUE(board.PictureSource().isEmpty());
    }
}

// Designer names the page's resources to Qt only after it has built the page's controls.
TEST(BoardImage, InADesignerAPictureNotYetReadableIsTriedOnceMore)
{
    QWidget form;
    Component::SetDesigning(&form, true);
    TBoardImage board(&form);
    const auto file = JpegFile(600, 611);
    const QString later = file->fileName() + QStringLiteral(".later");
    board.SetPictureSource(later);
    EXPECT_EQ(board.PictureSource(), later);
    ASSERT_TRUE(QFile::copy(file->fileName(), later));
    QTest::qWait(TBoardImage::DesignRetryDelay + 100);
    EXPECT_EQ(board.Picture()->Image().size(), QSize(600, 611));
    QFile::remove(later);

    // Typed name by name, as Designer sets it: one warning, for the name typing ended with.
    ExpectQtWarning warning(QStringLiteral("cannot be read: No such file"));
    const QString never = later + QStringLiteral(".never");
    for (int length = never.size() - 4; length <= never.size(); ++length)
        board.SetPictureSource(never.left(length));
    QCoreApplication::processEvents();
    EXPECT_EQ(warning.Count(), 0);
    QTest::qWait(TBoardImage::DesignRetryDelay + 100);
    EXPECT_EQ(warning.Count(), 1);
    EXPECT_FALSE(board.Picture()->HasGraphic());
}

TEST(Picture, LoadsInTwoStepsAndALaterChangeDropsThePendingLoad)
{
    const auto file = JpegFile(60, 40);
    ASSERT_GT(file->size(), 0);

    TPicture picture;
    picture.SetImage(JpegSamples::Quadrants(10, 10));
    int changes = 0;
    QObject::connect(&picture, &TPicture::OnChange, [&] { ++changes; });
    picture.BeginLoad(file->fileName());
    EXPECT_TRUE(picture.LoadPending());
    EXPECT_EQ(picture.PendingFileName(), file->fileName());
    EXPECT_EQ(picture.Image().size(), QSize(10, 10)); // keeps what it held meanwhile
    EXPECT_EQ(changes, 0);
    QString error;
    EXPECT_TRUE(picture.FinishLoad(&error));
    EXPECT_EQ(picture.Image().size(), QSize(60, 40));
    EXPECT_EQ(picture.FileName(), file->fileName());
    EXPECT_FALSE(picture.LoadPending());
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(picture.FinishLoad(&error));
    EXPECT_EQ(error, QStringLiteral("No load is pending"));

    picture.BeginLoad(file->fileName() + QStringLiteral(".missing"));
    EXPECT_FALSE(picture.FinishLoad(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(picture.FileName(), file->fileName());

    picture.BeginLoad(file->fileName());
    picture.SetImage(JpegSamples::Quadrants(20, 20));
    EXPECT_FALSE(picture.LoadPending());
    EXPECT_FALSE(picture.FinishLoad());
    EXPECT_EQ(picture.Image().size(), QSize(20, 20));
    EXPECT_TRUE(picture.FileName().isEmpty());
}

// A page with one board image whose picture its OnCreate looks at.
class TPicturePage : public TForm
{
    Q_OBJECT
public:
    QSize sizeAtCreate;

public slots:
    void PageCreate(QObject *)
    {
        sizeAtCreate = findChild<TBoardImage *>()->Picture()->Image().size();
    }
};

QByteArray PicturePage(const QString &picture)
{
    return "<ui version=\"4.0\"><class>Page</class><widget class=\"TPicturePage\" name=\"Page\">"
           "<property name=\"OnCreate\" stdset=\"0\"><string>PageCreate</string></property>"
           "<widget class=\"QWidget\" name=\"central\"><widget class=\"TBoardImage\" name=\"Board\">"
           "<property name=\"Picture\" stdset=\"0\"><string>" +
           picture.toUtf8() + "</string></property></widget></widget></widget></ui>";
}

TEST(BoardImage, AStoredPictureDecodesWhileTheLayoutIsReadAndIsInPlaceAtOnCreate)
{
    const auto file = JpegFile(600, 611);
    ASSERT_GT(file->size(), 0);
    {
        TPicturePage page;
        TFormLoader(&page).Load(PicturePage(file->fileName()));
        auto *board = page.findChild<TBoardImage *>();
        EXPECT_EQ(page.sizeAtCreate, QSize(600, 611));
        EXPECT_EQ(board->size(), QSize(600, 611)); // AutoSize
        EXPECT_DOUBLE_EQ(board->Ratio(), 611.0 / 600.0);
        EXPECT_EQ(board->PictureSource(), file->fileName());
    }
    // Unreadable: the layout still loads, with a warning and an empty picture.
    TPicturePage page;
    ExpectQtWarning warning(QStringLiteral("cannot be read"));
    TFormLoader(&page).Load(PicturePage(file->fileName() + QStringLiteral(".missing")));
    EXPECT_EQ(warning.Count(), 1);
    EXPECT_FALSE(page.findChild<TBoardImage *>()->Picture()->HasGraphic());
    EXPECT_TRUE(page.findChild<TBoardImage *>()->PictureSource().isEmpty());
}

class TBoardImagePage : public TForm
{
    Q_OBJECT
public:
    TBoardImagePage() { TFormLoader(this).Load(QStringLiteral(":/pages/BoardImagePage.ui")); }
};

TEST(BoardImage, IsReadFromAStoredLayout)
{
    TBoardImagePage page;
    auto *board = page.findChild<TBoardImage *>(QStringLiteral("Board"));
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->Menu(), page.menuBar());
    EXPECT_TRUE(board->Stretch());
    EXPECT_FALSE(board->AutoSize());
    EXPECT_EQ(board->geometry(), QRect(223, 130, 400, 400));
    EXPECT_EQ(board->maximumSize(), QSize(400, 400));
}

#include "test_boardimage.moc"
