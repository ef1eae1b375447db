#include "custompanel.h"

#include <QContextMenuEvent>
#include <QMetaMethod>
#include <QMouseEvent>

TCustomPanel::TCustomPanel(QWidget *parent) : QWidget(parent) {}

void TCustomPanel::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    m_pressed = event->button() == Qt::LeftButton;
    emit OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
}

void TCustomPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(at);
    m_pressed = false;
    if (click)
        emit OnClick(this);
    emit OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
}

// The second press of a double click raises OnDblClick instead of a further click.
void TCustomPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() == Qt::LeftButton)
        emit OnDblClick(this);
}

void TCustomPanel::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseMove(this, event->modifiers(), at.x(), at.y());
}

void TCustomPanel::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_popupMenu) {
        QWidget::contextMenuEvent(event);
        return;
    }
    m_popupMenu->popup(event->globalPos());
}

void TCustomPanel::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&TCustomPanel::OnMouseMove))
        setMouseTracking(true);
}
