#pragma once
/// @file
/// The two-pin and three-pin jumpers.

#include "colors.h"
#include "focusmark.h"

#include <QImage>
#include <QWidget>

class QPainter;

/// The frame both jumper drawings share: each paint draws the jumper horizontally into
/// DrawBitmap, turns it pixel by pixel into ViewBitmap for the orientation and copies that to
/// the screen in one piece. Measures are logical pixels; the bitmaps hold device pixels.
class TJumperControl : public QWidget
{
    Q_OBJECT
public:
    /// Where a three-pin jumper's shunt is: on no pair, the left pair or the right pair.
    enum TJumperState { jsOpen, jsLeft, jsRight };
    Q_ENUM(TJumperState)
    /// The direction the top edge of the horizontal drawing faces.
    enum TOrientationType { otUp, otDown, otLeft, otRight };
    Q_ENUM(TOrientationType)
    /// Whether the shapes are outlined in black.
    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    /// @name Look
    ///@{

    /// The colours of the base, the pins and the shunt, the orientation, the outline; a change
    /// repaints the jumper. A change between vertical and horizontal exchanges width and height.
    TColor BaseColor() const { return m_baseColor; }
    void SetBaseColor(TColor value) { Change(m_baseColor, value); }
    TColor PinColor() const { return m_pinColor; }
    void SetPinColor(TColor value) { Change(m_pinColor, value); }
    TColor JumperColor() const { return m_jumperColor; }
    void SetJumperColor(TColor value) { Change(m_jumperColor, value); }
    TOrientationType Orientation() const { return m_orientation; }
    void SetOrientation(TOrientationType value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value) { Change(m_borderStyle, value); }
    ///@}
    /// @name Tag
    ///@{

    /// A number the page may use, e.g. for the bit a jumper stands for.
    int Tag() const { return m_tag; }
    void SetTag(int value) { m_tag = value; }
    ///@}

    /// @name Paint state
    ///@{

    /// Whether the jumper was painted, and whether its next paint exchanges width and height.
    bool Painted() const { return m_painted; }
    bool SwapPending() const { return m_swapPending; }
    ///@}

    /// A user's click: the state changes, then OnClick fires.
    virtual void Click() = 0;

signals:
    /// A click changed the state.
    void OnClick(QObject *Sender);
    /// @name Mouse events
    ///@{

    /// The mouse over the control: the button, the keyboard modifiers and the position in it.
    /// Moves without a pressed button are reported once OnMouseMove has a receiver.
    void OnMouseDown(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseMove(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseUp(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    ///@}

protected:
    /// A jumper of the given horizontal size on parent.
    TJumperControl(QWidget *parent, int width, int height);

    /// Compares, stores and repaints; true when the value changed.
    template <typename T>
    bool Change(T &field, T value)
    {
        if (field == value)
            return false;
        field = value;
        update();
        return true;
    }

    /// The horizontal drawing, w x h, over the background already filled.
    virtual void Draw(QPainter &canvas, int w, int h) = 0;

    /// The colour as drawn on this control.
    QColor Color(TColor color) const { return ColorToQColor(color, this); }
    /// The outline of a shape filled with fill, as BorderStyle asks.
    QColor Outline(TColor fill) const;

    /// @name Qt event handlers
    ///@{

    /// Reimplemented from Qt.
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    ///@}
    /// Space clicks the jumper that has the focus.
    void keyPressEvent(QKeyEvent *event) override;
    /// @name Qt event handlers
    ///@{

    /// Reimplemented from Qt.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void connectNotify(const QMetaMethod &signal) override;
    ///@}

private:
    QColor Background() const;
    void Turn();

    TColor m_baseColor = clGray;
    TColor m_pinColor = clYellow;
    TColor m_jumperColor = clMaroon;
    TOrientationType m_orientation = otUp;
    TBorderStyle m_borderStyle = bsSingle;
    int m_tag = 0;

    QImage m_drawBitmap;
    QImage m_viewBitmap;
    bool m_swapPending = false;
    bool m_painted = false;
    bool m_pressed = false;
    FocusMark::TShown m_focusShown;
};

/// A two-pin jumper: the shunt is fitted over both pins or not.
class TTwoJumper : public TJumperControl
{
    Q_OBJECT
    /// @name Properties a layout stores
    ///@{

    /// Read and written through the accessors of the same name.
    Q_PROPERTY(bool Closed READ Closed WRITE SetClosed)
    Q_PROPERTY(TColor BaseColor READ BaseColor WRITE SetBaseColor)
    Q_PROPERTY(TColor PinColor READ PinColor WRITE SetPinColor)
    Q_PROPERTY(TColor JumperColor READ JumperColor WRITE SetJumperColor)
    Q_PROPERTY(TOrientationType Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    ///@}
public:
    /// An open jumper on parent.
    explicit TTwoJumper(QWidget *parent = nullptr);

    /// @name Shunt
    ///@{

    /// Whether the shunt is fitted; a change repaints the jumper.
    bool Closed() const { return m_closed; }
    void SetClosed(bool value);
    ///@}

    /// Toggles Closed; in a TRadioPanel with RadioEnabled, applies the radio rule; then OnClick.
    void Click() override;

protected:
    void Draw(QPainter &canvas, int w, int h) override;

private:
    bool m_closed = false;
};

/// A three-pin jumper: the shunt covers the left pair, the right pair or nothing.
class TThreeJumper : public TJumperControl
{
    Q_OBJECT
    /// @name Properties a layout stores
    ///@{

    /// Read and written through the accessors of the same name.
    Q_PROPERTY(TJumperState JumperState READ JumperState WRITE SetJumperState)
    Q_PROPERTY(TColor BaseColor READ BaseColor WRITE SetBaseColor)
    Q_PROPERTY(TColor PinColor READ PinColor WRITE SetPinColor)
    Q_PROPERTY(TColor JumperColor READ JumperColor WRITE SetJumperColor)
    Q_PROPERTY(TOrientationType Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool AllowOpen READ AllowOpen WRITE SetAllowOpen)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    ///@}
public:
    /// An open jumper on parent.
    explicit TThreeJumper(QWidget *parent = nullptr);

    /// Where the shunt is.
    TJumperState JumperState() const { return m_jumperState; }
    /// jsOpen is refused while AllowOpen is false.
    void SetJumperState(TJumperState value);
    /// Whether the shunt may be taken off.
    bool AllowOpen() const { return m_allowOpen; }
    /// Forbidding the open state moves an open jumper to jsLeft.
    void SetAllowOpen(bool value);

    void Click() override;

protected:
    void Draw(QPainter &canvas, int w, int h) override;

private:
    TJumperState m_jumperState = jsOpen;
    bool m_allowOpen = true;
};
