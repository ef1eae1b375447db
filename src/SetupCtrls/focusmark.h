#pragma once

#include <QRect>
#include <Qt>

class QAbstractScrollArea;
class QPainter;

// The keyboard focus mark the library's own controls draw over themselves: a black line beside a
// white one, so that one of the two stands out from whatever lies around it.
namespace FocusMark {

// A rectangle just inside the area.
void DrawFrame(QPainter &painter, const QRect &area);
// An ellipse just inside the area.
void DrawRing(QPainter &painter, const QRect &area);

// Whether a control shows its mark: the focus came to it by the keyboard or by the program, not
// by a window that gave its first control the focus as it was activated. A control keeps its
// mark while its window is inactive.
class TShown
{
public:
    bool operator()() const { return m_shown; }
    void FocusIn(Qt::FocusReason reason)
    {
        if (reason != Qt::ActiveWindowFocusReason)
            m_shown = true;
    }
    void FocusOut(Qt::FocusReason reason)
    {
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_shown = false;
    }

private:
    bool m_shown = false;
};

// Gives a text box that its style draws no focus frame for the same mark, inside its frame.
void MarkTextBox(QAbstractScrollArea *box);

} // namespace FocusMark
