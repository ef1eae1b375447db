#pragma once
/// @file
/// The popup a highlight circle opens.

#include <QWidget>
#include <functional>

class QStatusBar;
class QRect;
class TBoardHighlight;

/// The stay-on-top tool window a highlight circle opens: its option group's panel, the
/// explanation, the Previous / Next / Done buttons and a status bar. Closing only hides it.
class TPopupForm : public QWidget
{
    Q_OBJECT
    /// A number the page may use; read and written through Tag() and SetTag().
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
public:
    /// An event handler taking the popup as Sender.
    using TNotifyEvent = std::function<void(QObject *Sender)>;

    /// The popup of owner, built by owner's ShowPopup.
    explicit TPopupForm(TBoardHighlight *owner);

    /// @name Tag
    ///@{

    /// A number the page may use.
    int Tag() const { return m_tag; }
    void SetTag(int value) { m_tag = value; }
    ///@}

    QStatusBar *PopupStatus = nullptr; ///< The status bar at the bottom.
    TBoardHighlight *const Highlight;  ///< The circle that opens the popup.
    /// The mouse moved from the circle into the popup: leaving the popup closes it.
    bool CloseOnLeave = false;
    /// @name Events taken from the hosted panel
    ///@{

    /// The popup became the active window, or stopped being it.
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    ///@}

    /// Whether the cursor stands on the window, its frame included (right and bottom edges out).
    bool CursorInside() const;
    /// Whether the platform tells where the pointer is on the screen (Wayland does not; there
    /// the windows' own enter and leave events tell).
    static bool PointerPlaceKnown();

protected:
    /// @name Qt event handlers
    ///@{

    /// Reimplemented from Qt.
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    ///@}

private:
    int m_tag = 0;
};

/// Where a popup's frame of size outer stands: at place, moved into area; where its Done button
/// (done, relative to the frame) would then lie over the circle that opens it, moved just enough
/// that it does not (pressing Done there would open the popup again).
QPoint PopupPlace(QPoint place, const QSize &outer, const QRect &area, const QRect &done, const QRect &circle);
