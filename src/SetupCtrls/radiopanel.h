#pragma once
/// @file
/// The panel of an option group.

#include "anchors.h"
#include "colors.h"
#include "events.h"
#include "focusmark.h"
#include "custompanel.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <functional>

class TTwoJumper;

/// The container of one option group: its jumpers, labels and lists, and the description a
/// popup shows with it. Created hidden; a popup later hosts it. With RadioEnabled, a click on
/// one of its two-pin jumpers closes that one and opens the others.
class TRadioPanel : public TCustomPanel, public TEventBinding
{
    Q_OBJECT
    /// @name Properties a layout stores
    ///@{

    /// Read and written through the accessors of the same name.
    Q_PROPERTY(bool RadioEnabled READ RadioEnabled WRITE SetRadioEnabled)
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(int MemoHeight READ MemoHeight WRITE SetMemoHeight)
    Q_PROPERTY(Anchors::TAnchors FinalAnchors READ FinalAnchors WRITE SetFinalAnchors)
    Q_PROPERTY(TBevelCut BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    ///@}
public:
    /// An event handler taking the panel as Sender.
    using TNotifyEvent = std::function<void(QObject *Sender)>;
    /// Asked before the panel takes a new size: the handler may change it or refuse it.
    using TCanResizeEvent = std::function<void(QObject *Sender, int &NewWidth, int &NewHeight, bool &Resize)>;
    /// Asked for the size limits of a new size; 0 is no limit.
    using TConstrainedResizeEvent =
        std::function<void(QObject *Sender, int &MinWidth, int &MinHeight, int &MaxWidth, int &MaxHeight)>;

    /// A bevel: none, sunken, raised, or a flat band of the panel's colour.
    enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
    Q_ENUM(TBevelCut)
    /// Whether a one-pixel line surrounds the panel.
    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    /// A hidden panel on parent.
    explicit TRadioPanel(QWidget *parent = nullptr);
    ~TRadioPanel() override;

    /// @name Option group
    ///@{

    /// Whether the radio rule applies; the description the popup shows, and its height.
    bool RadioEnabled() const { return m_radioEnabled; }
    void SetRadioEnabled(bool value) { m_radioEnabled = value; }
    QStringList Lines() const { return m_lines; }
    void SetLines(const QStringList &value) { m_lines = value; }
    int MemoHeight() const { return m_memoHeight; }
    void SetMemoHeight(int value) { m_memoHeight = value; }
    ///@}
    /// The anchors the panel takes in the popup that hosts it.
    Anchors::TAnchors FinalAnchors() const { return m_finalAnchors; }
    /// Once hosted the panel takes the value as its anchors at once.
    void SetFinalAnchors(Anchors::TAnchors value);
    /// @name Frame
    ///@{

    /// Painted from the edge inwards: a one-pixel line with bsSingle, the outer bevel,
    /// BorderWidth pixels of the panel's colour, the inner bevel; each bevel BevelWidth wide.
    TBevelCut BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TBevelCut value) { ChangeLook(m_bevelInner, value); }
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut value) { ChangeLook(m_bevelOuter, value); }
    int BevelWidth() const { return m_bevelWidth; }
    /// Widths below 1 (bevels) or 0 (border) are taken as those.
    void SetBevelWidth(int value) { ChangeLook(m_bevelWidth, std::max(value, 1)); }
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value) { ChangeLook(m_borderWidth, std::max(value, 0)); }
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value) { ChangeLook(m_borderStyle, value); }
    ///@}
    /// @name Colour
    ///@{

    /// With ParentColor, the parent's Color, or the parent's background without one.
    TColor Color() const;
    /// Assigning a colour ends ParentColor.
    void SetColor(TColor value);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool value);
    ///@}
    /// @name Tag
    ///@{

    /// A number the page may use.
    int Tag() const { return m_tag; }
    void SetTag(int value) { m_tag = value; }
    ///@}
    /// @name Visibility
    ///@{

    /// Whether the panel shows at run time. In a form designer the panel stays on the design
    /// surface whatever the value, as every control does there.
    bool Visible() const;
    void SetVisible(bool value);
    ///@}

    /// @name Hosting
    ///@{

    /// Set by the popup that has taken the panel.
    bool Hosted() const { return m_hosted; }
    void SetHosted(bool value) { m_hosted = value; }
    ///@}

    /// @name Popup events
    ///@{

    /// Events the popup that hosts the panel takes over as its own.
    const TNotifyEvent &OnActivate() const { return m_onActivate; }
    void SetOnActivate(TNotifyEvent handler) { m_onActivate = std::move(handler); }
    const TNotifyEvent &OnDeactivate() const { return m_onDeactivate; }
    void SetOnDeactivate(TNotifyEvent handler) { m_onDeactivate = std::move(handler); }
    ///@}
    /// @name Resize events
    ///@{

    /// The handlers asked before the panel takes a new size.
    void SetOnCanResize(TCanResizeEvent handler) { m_onCanResize = std::move(handler); }
    void SetOnConstrainedResize(TConstrainedResizeEvent handler) { m_onConstrainedResize = std::move(handler); }
    ///@}

    bool BindEvent(const QByteArray &event, const TMethod &handler) override;

    /// The radio rule, run after Jumper has toggled itself: Jumper closed, every other two-pin
    /// jumper of the panel open; OnRadioChange when that changed any of them.
    void SelectJumper(TTwoJumper *Jumper);

signals:
    /// The radio rule changed a jumper of the panel.
    void OnRadioChange(QObject *Sender);
    /// @name Focus events
    ///@{

    /// The input focus moved into the panel from outside it, or out of it.
    void OnEnter(QObject *Sender);
    void OnExit(QObject *Sender);
    ///@}
    /// The panel has taken a new size.
    void OnResize(QObject *Sender);

protected:
    /// @name Qt event handlers
    ///@{

    /// Reimplemented from Qt.
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    ///@}

private:
    template <typename T>
    void ChangeLook(T &field, T value)
    {
        if (field == value)
            return;
        field = value;
        update();
    }
    bool Holds(const QWidget *widget) const;
    /// The size a resize to wanted ends at: OnCanResize may refuse it or change it, then the
    /// limits of OnConstrainedResize and the constraints apply.
    QSize Adjusted(QSize wanted, const QSize &old);
    void FocusChanged(QWidget *old, QWidget *now);

    bool m_radioEnabled = false;
    QStringList m_lines;
    int m_memoHeight = 58;
    Anchors::TAnchors m_finalAnchors = Anchors::akLeft | Anchors::akTop;
    TBevelCut m_bevelInner = bvNone;
    TBevelCut m_bevelOuter = bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TBorderStyle m_borderStyle = bsNone;
    bool m_adjusting = false;
    TColor m_color = clBtnFace;
    bool m_parentColor = false;
    int m_tag = 0;
    bool m_hosted = false;
    bool m_designHidden = false;
    bool m_designVisible = false;
    QPointer<QWidget> m_lastFocus;
    FocusMark::TShown m_focusShown;
    TNotifyEvent m_onActivate;
    TNotifyEvent m_onDeactivate;
    TCanResizeEvent m_onCanResize;
    TConstrainedResizeEvent m_onConstrainedResize;
};
