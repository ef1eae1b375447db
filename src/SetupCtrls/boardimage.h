#pragma once
/// @file
/// The board picture.

#include "component.h"
#include "custompanel.h"
#include "picture.h"

#include <QBasicTimer>
#include <QImage>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>
#include <memory>

/// What the guided walk calls on the circle it starts at; forwarded is the flag of the mouse
/// notifications (0: the mouse itself).
class TWalkTarget
{
public:
    virtual ~TWalkTarget() = default;
    /// @name Walk steps
    ///@{

    /// The mouse onto the circle, a click, the mouse off it again.
    virtual void MouseEnter(int forwarded) = 0;
    virtual void Click() = 0;
    virtual void MouseLeave(int forwarded) = 0;
    ///@}
};

/// The card's photograph, drawn at natural size, centred or stretched, and the container of the
/// highlight circles. At run time it keeps itself centred on its form, having first recorded
/// where the layout put it; WM_STARTWALK makes it enter, click and leave its First circle.
///
/// Picture is stored in a layout as the name of a JPEG file or resource (":/layout/board.jpg"),
/// a plain string a form designer edits; the C++ side reaches the owned TPicture itself.
class TBoardImage : public TCustomPanel, public TLoadedNotification
{
    Q_OBJECT
    /// @name Properties a layout stores
    ///@{

    /// Read and written through the accessors of the same name.
    Q_PROPERTY(QWidget *First READ First WRITE SetFirst)
    Q_PROPERTY(QMenuBar *Menu READ Menu WRITE SetMenu)
    Q_PROPERTY(bool CenterOnForm READ CenterOnForm WRITE SetCenterOnForm)
    Q_PROPERTY(bool Scale READ Scale WRITE SetScale)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(QString Picture READ PictureSource WRITE SetPictureSource)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    ///@}
    /// @name Read-only state
    ///@{

    /// Neither stored nor shown in a form designer; see the accessors of the same name.
    Q_PROPERTY(double Ratio READ Ratio STORED false DESIGNABLE false)
    Q_PROPERTY(int DesignLeft READ DesignLeft STORED false DESIGNABLE false)
    Q_PROPERTY(int DesignTop READ DesignTop STORED false DESIGNABLE false)
    Q_PROPERTY(bool PositionRecorded READ PositionRecorded STORED false DESIGNABLE false)
    Q_PROPERTY(bool Drawing READ Drawing STORED false DESIGNABLE false)
    ///@}
public:
    /// An empty picture on parent, normally the form's central widget.
    explicit TBoardImage(QWidget *parent = nullptr);
    ~TBoardImage() override;

    /// @name References
    ///@{

    /// The circle the guided walk starts at, and the menu bar that gets the circles' entries.
    /// Neither owned nor repainted for; cleared when the referenced object goes.
    QWidget *First() const { return m_first; }
    void SetFirst(QWidget *value) { m_first = value; }
    QMenuBar *Menu() const { return m_menu; }
    void SetMenu(QMenuBar *value) { m_menu = value; }
    ///@}

    /// @name Placement and drawing
    ///@{

    /// Centred on its form at run time; in a form designer the height follows the picture's
    /// aspect (Scale); sized to the picture (AutoSize); drawn centred, stretched, transparent.
    bool CenterOnForm() const { return m_centerOnForm; }
    void SetCenterOnForm(bool value) { m_centerOnForm = value; }
    bool Scale() const { return m_scale; }
    void SetScale(bool value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    bool Center() const { return m_center; }
    void SetCenter(bool value);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    ///@}

    /// The owned picture.
    TPicture *Picture() const { return m_picture.get(); }
    /// Copies value into the owned picture.
    void SetPicture(const TPicture *value);
    /// The name the picture was read from, as a layout stores it.
    QString PictureSource() const;
    /// Loads the named JPEG; one that cannot be read leaves the picture empty, with a warning.
    /// While a layout is read the JPEG decodes alongside, and the picture arrives at Loaded. In a
    /// form designer a name not yet readable is tried once more DesignRetryDelay ms after the
    /// last change of the name, and only then reported: Designer registers the resources a page
    /// names after building the page's controls, and sets the name at every keystroke.
    void SetPictureSource(const QString &fileName);
    /// Takes the picture decoded while the layout was read.
    void Loaded() override;
    /// How long a form designer waits before it reads a changed name again, in milliseconds.
    static constexpr int DesignRetryDelay = 500;

    /// @name Read-only state
    ///@{

    /// The picture's height / width; where the layout put the control, once recorded at its
    /// first showing; whether a paint has drawn the picture.
    double Ratio() const { return m_ratio; }
    int DesignLeft() const { return m_designLeft; }
    int DesignTop() const { return m_designTop; }
    bool PositionRecorded() const { return m_positionRecorded; }
    bool Drawing() const { return m_drawing; }
    ///@}

    /// The size AutoSize gives the control; always accepted.
    bool CanAutoSize(int &NewWidth, int &NewHeight) const;
    /// Where the picture is drawn: the client area (Stretch), centred (Center) or at the top left.
    QRect DestRect() const;

protected:
    /// @name Qt event handlers
    ///@{

    /// Reimplemented from Qt.
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    ///@}

private:
    void PictureChanged();
    void PictureUnreadable(const QString &fileName, const QString &error);
    void RetryDesignSource();
    void StartWalk();
    /// The widget whose outer size the control centres in: its form for a form's client area.
    QWidget *Form() const;
    void WatchForm();
    void CenterInForm();
    void ApplyDesignScale();
    const QImage &Scaled(const QRect &dest, qreal pixelRatio);

    std::unique_ptr<TPicture> m_picture;
    QString m_designSource; // a name tried again in a form designer
    QBasicTimer m_designRetry;
    QPointer<QWidget> m_first;
    QPointer<QMenuBar> m_menu;
    QPointer<QWidget> m_watchedForm;
    bool m_centerOnForm = true;
    bool m_scale = true;
    bool m_autoSize = true;
    bool m_center = false;
    bool m_stretch = false;
    bool m_transparent = false;
    double m_ratio = 1.0;
    int m_designLeft = 0;
    int m_designTop = 0;
    bool m_positionRecorded = false;
    bool m_drawing = false;
    QImage m_scaled; // the picture at DestRect's size in device pixels
};
