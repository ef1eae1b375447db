#pragma once
/// @file
/// The highlight circles of the board picture.

#include "boardimage.h"
#include "colors.h"
#include "focusmark.h"
#include "radiopanel.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class QAction;
class QMenu;
class QMenuBar;
class TPopupForm;

/// A highlight circle over a connector or jumper block of the board picture. Hovering lights it
/// and opens its popup with the option group's panel; clicking pins the popup; its entry in the
/// main menu opens or closes the popup. Circles on one board picture with equal Title and
/// HighlightType form a link group: they light, pin and unlight together and share one popup,
/// one menu entry and one panel.
class TBoardHighlight : public QWidget, public TWalkTarget
{
    Q_OBJECT
    /// @name Properties a layout stores
    ///@{

    /// Read and written through the accessors of the same name.
    Q_PROPERTY(bool CreatePopup READ CreatePopup WRITE SetCreatePopup)
    Q_PROPERTY(THighlightType HighlightType READ HighlightType WRITE SetHighlightType)
    Q_PROPERTY(TRadioPanel *RadioPanel READ RadioPanel WRITE SetRadioPanel)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    ///@}
public:
    /// What the circle marks: options (tinted blue), settings (yellow) or a calibration point.
    enum THighlightType { htOptions, htSettings, htCalibration };
    Q_ENUM(THighlightType)

    /// A circle on parent, normally a TBoardImage.
    explicit TBoardHighlight(QWidget *parent = nullptr);
    ~TBoardHighlight() override;

    /// @name Stored properties
    ///@{

    /// Whether hovering opens a popup; the type, which gives the tint; the option group's panel.
    bool CreatePopup() const { return m_createPopup; }
    void SetCreatePopup(bool value) { m_createPopup = value; }
    THighlightType HighlightType() const { return m_highlightType; }
    void SetHighlightType(THighlightType value);
    TRadioPanel *RadioPanel() const { return m_radioPanel; }
    ///@}
    /// Refuses a panel that a circle outside this circle's link group already uses.
    void SetRadioPanel(TRadioPanel *value);
    /// Stores the panel with no check, dialog or side effect.
    void LinkRadioPanel(TRadioPanel *Panel);
    /// The caption of the popup and the menu entry, "&" marking the entry's access key.
    QString Title() const { return m_title; }
    /// Also sets PlainTitle and TitleIdent.
    void SetTitle(const QString &value);

    /// @name State
    ///@{

    /// Lit by the mouse, its popup shown, pinned by a click; its popup (nullptr before the first).
    bool Lit() const { return m_lit; }
    bool PopupActive() const { return m_popupActive; }
    bool Pinned() const { return m_pinned; }
    TPopupForm *Popup() const { return m_popup; }
    ///@}
    /// @name Set at the first paint
    ///@{

    /// The board picture's Menu, taken when the circle is first painted (then Rendered is true).
    QMenuBar *BoardMenu() const { return m_boardMenu; }
    bool Rendered() const { return m_rendered; }
    ///@}
    /// @name Derived from Title
    ///@{

    /// Title without "&" (StripAmpersands) and as an identifier (MakeIdent).
    QString PlainTitle() const { return m_plainTitle; }
    QString TitleIdent() const { return m_titleIdent; }
    ///@}
    /// @name Tint of the type
    ///@{

    /// The colour and the strengths of the normal, lit, and lit with its popup shown look.
    TColor TintColor() const { return m_tintColor; }
    float NormalStrength() const { return m_normalStrength; }
    float LitStrength() const { return m_litStrength; }
    float ActiveLitStrength() const { return m_activeLitStrength; }
    ///@}
    /// @name Rendered images
    ///@{

    /// The lit images are tinted when first shown, with the type the circle had when rendered.
    const QImage &NormalImage() const { return m_normalImage; }
    const QImage &LitImage() const;
    const QImage &ActiveLitImage() const;
    ///@}

    /// @name Mouse
    ///@{

    /// The mouse-enter and mouse-leave handling; forwarded is 1 when a link-group member passes
    /// the notification on, 0 when it comes from the mouse, a menu entry or the walk.
    void MouseEnter(int forwarded) override;
    void MouseLeave(int forwarded) override;
    ///@}
    /// A click: OnClick fires, then a shown popup is pinned.
    void Click() override;
    /// A press from the keyboard or a screen reader: the mouse onto the circle, a click and the
    /// mouse off it again.
    void Press();
    /// Pins the shown popup for the whole link group.
    void Pin();
    /// Marks the circle as showing its popup, with Propagate its link group too.
    void SetPopupActive(bool Value, bool Propagate);
    /// Ends the lit look.
    void Unlight();
    /// The members of this circle's link group in child order, this circle included; empty
    /// when the parent is not a board picture.
    QList<TBoardHighlight *> LinkGroup() const;

    /// @name Popup
    ///@{

    /// Opening and closing the popup, and its Previous, Next and Done buttons.
    void ShowPopup();
    void PopupClose();
    void PreviousClick();
    void NextClick();
    void DoneClick();
    ///@}

    /// @name Menu entry
    ///@{

    /// The circle's entry in the board picture's Menu: built, checked, clicked.
    void BuildMenuEntries();
    void CheckMenuEntry(bool Value);
    void MenuItemClick(QObject *Sender);
    ///@}

signals:
    /// The circle was clicked.
    void OnClick(QObject *Sender);

protected:
    /// @name Qt event handlers
    ///@{

    /// Reimplemented from Qt.
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    /// Tab goes through the board picture's circles in the order of their menu entries.
    bool focusNextPrevChild(bool next) override;
    /// The second press of a double click completes no further click.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    ///@}

private:
    /// Where the pointer's screen position is unknown (Wayland) the popup's enter comes only
    /// after the circle's leave: decided once it has had the time to arrive.
    void SettleLeave();

    bool IsLinkedWith(const QObject *other) const;
    bool PopupShown() const;
    void RenderImages();
    /// The tint colour and strengths of the highlight type.
    void ApplyTint();
    QString GroupCaption() const;
    QAction *FindMenuEntry() const;
    void ClosePopup();
    void Step(int direction);

    bool m_createPopup = true;
    THighlightType m_highlightType = htSettings;
    QPointer<TRadioPanel> m_radioPanel;
    QString m_title;

    bool m_lit = false;
    bool m_popupActive = false;
    bool m_pinned = false;
    bool m_rendered = false;
    bool m_pressed = false;
    TPopupForm *m_popup = nullptr;
    QPointer<QMenuBar> m_boardMenu;
    QString m_plainTitle;
    QString m_titleIdent;
    TColor m_tintColor = 0;
    float m_normalStrength = 0;
    float m_litStrength = 0;
    float m_activeLitStrength = 0;
    QImage m_normalImage;
    /// What lies beneath, and the tint of the type at the time it was captured.
    QImage m_beneath;
    TColor m_renderedTint = 0;
    float m_renderedLitStrength = 0;
    mutable QImage m_litImage;
    mutable QImage m_activeLitImage;
    FocusMark::TShown m_focusShown;
};

/// Every "&" removed, a doubled one included.
QString StripAmpersands(const QString &Text);
/// The text reduced to an identifier: leading characters up to the first ASCII letter or "_"
/// and every later character other than letters, digits and "_" removed.
QString MakeIdent(const QString &Text);
