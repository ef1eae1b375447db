#include "boardimage.h"

#include <QTimerEvent>

#include "component.h"
#include "infoforms.h"

#include <QEvent>
#include <QMainWindow>
#include <QPainter>
#include <cmath>
#include <utility>

TBoardImage::TBoardImage(QWidget *parent) : TCustomPanel(parent), m_picture(std::make_unique<TPicture>())
{
    connect(m_picture.get(), &TPicture::OnChange, this, &TBoardImage::PictureChanged);
    resize(105, 105);
}

TBoardImage::~TBoardImage() = default;

void TBoardImage::SetScale(bool value)
{
    if (value == m_scale)
        return;
    m_scale = value;
    PictureChanged();
}

void TBoardImage::SetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    if (value) {
        int newWidth = width();
        int newHeight = height();
        if (CanAutoSize(newWidth, newHeight))
            resize(newWidth, newHeight);
    }
}

void TBoardImage::SetCenter(bool value)
{
    if (value == m_center)
        return;
    m_center = value;
    PictureChanged();
}

void TBoardImage::SetStretch(bool value)
{
    if (value == m_stretch)
        return;
    m_stretch = value;
    PictureChanged();
}

void TBoardImage::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    PictureChanged();
}

void TBoardImage::SetPicture(const TPicture *value)
{
    m_picture->Assign(value);
}

QString TBoardImage::PictureSource() const
{
    if (!m_designSource.isEmpty())
        return m_designSource;
    return m_picture->LoadPending() ? m_picture->PendingFileName() : m_picture->FileName();
}

void TBoardImage::SetPictureSource(const QString &fileName)
{
    if (fileName != m_designSource)
        m_designSource.clear();
    if (fileName.isEmpty()) {
        if (m_picture->HasGraphic() || m_picture->LoadPending())
            m_picture->Clear();
        return;
    }
    if (fileName == PictureSource())
        return;
    if (Component::IsLoading(this)) {
        m_picture->BeginLoad(fileName);
        return;
    }
    QString error;
    if (m_picture->LoadFromFile(fileName, &error))
        return;
    if (Component::IsDesigning(this)) {
        // Designer sets the name at every keystroke: tried again once typing has paused.
        m_designSource = fileName;
        m_designRetry.start(DesignRetryDelay, this);
        return;
    }
    PictureUnreadable(fileName, error);
}

void TBoardImage::RetryDesignSource()
{
    const QString fileName = std::exchange(m_designSource, QString());
    if (fileName.isEmpty())
        return;
    QString error;
    if (!m_picture->LoadFromFile(fileName, &error))
        PictureUnreadable(fileName, error);
}

void TBoardImage::Loaded()
{
    if (!m_picture->LoadPending())
        return;
    const QString fileName = m_picture->PendingFileName();
    QString error;
    if (!m_picture->FinishLoad(&error))
        PictureUnreadable(fileName, error);
}

void TBoardImage::PictureUnreadable(const QString &fileName, const QString &error)
{
    qWarning("%s: picture %s cannot be read: %s", qPrintable(objectName()), qPrintable(fileName),
             qPrintable(error));
    if (m_picture->HasGraphic())
        m_picture->Clear();
}

bool TBoardImage::CanAutoSize(int &NewWidth, int &NewHeight) const
{
    // Controls here have no alignment, so both sides follow the picture.
    if (!Component::IsDesigning(this) || (m_picture->Width() > 0 && m_picture->Height() > 0)) {
        NewWidth = m_picture->Width();
        NewHeight = m_picture->Height();
    }
    return true;
}

QRect TBoardImage::DestRect() const
{
    const int pictureWidth = m_picture->Width();
    const int pictureHeight = m_picture->Height();
    if (m_stretch)
        return rect();
    if (m_center)
        return QRect((width() - pictureWidth) / 2, (height() - pictureHeight) / 2, pictureWidth, pictureHeight);
    return QRect(0, 0, pictureWidth, pictureHeight);
}

void TBoardImage::PictureChanged()
{
    const int pictureWidth = m_picture->Width();
    const int pictureHeight = m_picture->Height();
    if (pictureWidth > 0 && pictureHeight > 0) {
        m_ratio = double(pictureHeight) / double(pictureWidth);
        if (m_autoSize)
            resize(pictureWidth, pictureHeight);
    }
    if (m_picture->HasGraphic()) {
        m_picture->SetTransparent(m_transparent);
        setAttribute(Qt::WA_OpaquePaintEvent,
                     !m_picture->Transparent()
                         && (m_stretch || (pictureWidth >= width() && pictureHeight >= height())));
        // A 32-bit graphic has no palette, so the palette step never has a change to realise.
    } else {
        setAttribute(Qt::WA_OpaquePaintEvent, false);
    }
    m_scaled = QImage();
    ApplyDesignScale();
    if (!m_drawing)
        update();
}

bool TBoardImage::event(QEvent *event)
{
    if (event->type() == QEvent::Timer && static_cast<QTimerEvent *>(event)->timerId() == m_designRetry.timerId()) {
        m_designRetry.stop();
        RetryDesignSource();
        return true;
    }
    if (event->type() == QEvent::Type(WM_STARTWALK)) {
        StartWalk();
        return true;
    }
    if (event->type() == QEvent::ParentChange && m_positionRecorded)
        WatchForm();
    return QWidget::event(event);
}

void TBoardImage::StartWalk()
{
    if (auto *circle = dynamic_cast<TWalkTarget *>(m_first.data())) {
        circle->MouseEnter(0);
        circle->Click();
        circle->MouseLeave(0);
    }
}

QWidget *TBoardImage::Form() const
{
    QWidget *parent = parentWidget();
    if (!parent || parent->isWindow())
        return parent;
    auto *mainWindow = qobject_cast<QMainWindow *>(parent->parentWidget());
    return mainWindow && mainWindow->centralWidget() == parent ? mainWindow : parent;
}

void TBoardImage::WatchForm()
{
    QWidget *form = Form();
    if (form == m_watchedForm)
        return;
    if (m_watchedForm)
        m_watchedForm->removeEventFilter(this);
    m_watchedForm = form;
    if (form)
        form->installEventFilter(this);
}

// Centres the control on its form's outer size (frame and caption included), in the
// coordinates of its parent: a main window's central widget stands for the form's client area.
void TBoardImage::CenterInForm()
{
    if (!m_positionRecorded || !m_centerOnForm || Component::IsDesigning(this))
        return;
    const QWidget *form = Form();
    if (!form)
        return;
    const QSize outer = form->isWindow() ? form->frameGeometry().size() : form->size();
    move((outer.width() - width()) / 2, (outer.height() - height()) / 2);
}

void TBoardImage::ApplyDesignScale()
{
    if (!m_scale || !Component::IsDesigning(this))
        return;
    // Nearest, halves to even (the default rounding mode).
    resize(width(), int(std::nearbyint(width() * m_ratio)));
}

bool TBoardImage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watchedForm && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        CenterInForm();
    return QWidget::eventFilter(watched, event);
}

void TBoardImage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_positionRecorded) {
        m_designLeft = x();
        m_designTop = y();
        m_positionRecorded = true;
    }
    WatchForm();
    CenterInForm();
    ApplyDesignScale();
    // A window manager takes a while to map a new window: the picture is stretched in that wait,
    // so that the first paint only draws it.
    if (!Component::IsDesigning(this)) {
        QMetaObject::invokeMethod(this, [this] {
            if (const QRect dest = DestRect(); m_picture->HasGraphic() && !dest.isEmpty())
                Scaled(dest, devicePixelRatioF());
        }, Qt::QueuedConnection);
    }
}

void TBoardImage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_autoSize && m_picture->Width() > 0 && m_picture->Height() > 0) {
        int newWidth = width();
        int newHeight = height();
        if (CanAutoSize(newWidth, newHeight) && QSize(newWidth, newHeight) != size()) {
            resize(newWidth, newHeight);
            return;
        }
    }
    m_scaled = QImage();
    CenterInForm();
    ApplyDesignScale();
}

const QImage &TBoardImage::Scaled(const QRect &dest, qreal pixelRatio)
{
    const QSize pixels = (QSizeF(dest.size()) * pixelRatio).toSize();
    if (m_scaled.isNull() || m_scaled.size() != pixels || m_scaled.devicePixelRatio() != pixelRatio) {
        const QImage &image = m_picture->Image();
        m_scaled = pixels == image.size() ? image
                                          : image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaled.setDevicePixelRatio(pixelRatio);
    }
    return m_scaled;
}

void TBoardImage::paintEvent(QPaintEvent *)
{
    // Moving a widget while it paints is not safe; the move follows the paint at once.
    if (m_positionRecorded && m_centerOnForm && !Component::IsDesigning(this))
        QMetaObject::invokeMethod(this, &TBoardImage::CenterInForm, Qt::QueuedConnection);
    QPainter painter(this);
    if (Component::IsDesigning(this)) {
        painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    struct Restore
    {
        bool &drawing;
        bool was;
        ~Restore() { drawing = was; }
    } restore{m_drawing, m_drawing};
    m_drawing = true;
    const QRect dest = DestRect();
    if (m_picture->HasGraphic() && !dest.isEmpty())
        painter.drawImage(dest.topLeft(), Scaled(dest, painter.device()->devicePixelRatioF()));
}
