#pragma once
/// @file
/// The base of the library's panels.

#include <QMenu>
#include <QPointer>
#include <QWidget>

/// The framework's panel as the library's panels publish it: a container that reports the
/// mouse (a click, a double click, presses, moves and releases with the button, the keyboard
/// modifiers and the position in the panel) and opens its PopupMenu as its context menu.
/// Moves without a pressed button are reported once OnMouseMove has a receiver.
class TCustomPanel : public QWidget
{
    Q_OBJECT
    /// The context menu; read and written through PopupMenu() and SetPopupMenu().
    Q_PROPERTY(QMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu)
public:
    /// A panel on parent.
    explicit TCustomPanel(QWidget *parent = nullptr);

    /// @name Context menu
    ///@{

    /// The menu the panel opens as its context menu: a reference, not owned.
    QMenu *PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(QMenu *value) { m_popupMenu = value; }
    ///@}

signals:
    /// @name Mouse events
    ///@{

    /// A click, a double click, a press, a move and a release on the panel.
    void OnClick(QObject *Sender);
    void OnDblClick(QObject *Sender);
    void OnMouseDown(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseMove(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseUp(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    ///@}

protected:
    /// @name Qt event handlers
    ///@{

    /// Reimplemented from Qt.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void connectNotify(const QMetaMethod &signal) override;
    ///@}

private:
    QPointer<QMenu> m_popupMenu;
    bool m_pressed = false;
};
