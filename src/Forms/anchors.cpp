#include "anchors.h"

#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QWidget>

namespace Anchors {
namespace {

// Repositions the anchored children of one parent when it is resized.
class AnchorKeeper : public QObject
{
public:
    explicit AnchorKeeper(QWidget *parent) : QObject(parent), m_parent(parent)
    {
        parent->installEventFilter(this);
    }

    static AnchorKeeper *For(QWidget *parent, bool create)
    {
        for (QObject *child : parent->children()) {
            if (auto *keeper = dynamic_cast<AnchorKeeper *>(child))
                return keeper;
        }
        return create ? new AnchorKeeper(parent) : nullptr;
    }

    void Set(QWidget *child, TAnchors anchors)
    {
        if (!m_rules.contains(child))
            child->installEventFilter(this);
        m_rules[child] = {child, anchors, child->geometry(), m_parent->size()};
    }

    TAnchors Get(const QWidget *child) const
    {
        const auto it = m_rules.constFind(child);
        return it == m_rules.constEnd() ? TAnchors(akLeft | akTop) : it->anchors;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_applying || (event->type() != QEvent::Move && event->type() != QEvent::Resize))
            return false;
        if (watched == m_parent) {
            if (event->type() == QEvent::Resize)
                Apply();
            return false;
        }
        const auto it = m_rules.find(static_cast<QWidget *>(watched));
        if (it != m_rules.end()) {
            it->place = it->child->geometry();
            it->parentSize = m_parent->size();
        }
        return false;
    }

private:
    struct Rule
    {
        QPointer<QWidget> child;
        TAnchors anchors;
        QRect place;
        QSize parentSize;
    };

    static void Axis(bool near, bool far, int start, int length, int oldParent, int newParent, int &outStart,
                     int &outLength)
    {
        outStart = start;
        outLength = length;
        const int growth = newParent - oldParent;
        if (near && far) {
            outLength = length + growth;
        } else if (far) {
            outStart = start + growth;
        } else if (!near && oldParent > 0) {
            const int centre = start + length / 2;
            outStart = qRound(double(centre) * newParent / oldParent) - length / 2;
        }
    }

    void Apply()
    {
        m_applying = true;
        for (auto it = m_rules.begin(); it != m_rules.end();) {
            QWidget *child = it->child;
            if (!child || child->parentWidget() != m_parent) {
                it = m_rules.erase(it);
                continue;
            }
            int x, w, y, h;
            Axis(it->anchors & akLeft, it->anchors & akRight, it->place.x(), it->place.width(),
                 it->parentSize.width(), m_parent->width(), x, w);
            Axis(it->anchors & akTop, it->anchors & akBottom, it->place.y(), it->place.height(),
                 it->parentSize.height(), m_parent->height(), y, h);
            child->setGeometry(x, y, qMax(0, w), qMax(0, h));
            ++it;
        }
        m_applying = false;
    }

    QWidget *m_parent;
    QHash<const QWidget *, Rule> m_rules;
    bool m_applying = false;
};

} // namespace

void SetAnchors(QWidget *child, TAnchors anchors)
{
    if (QWidget *parent = child->parentWidget())
        AnchorKeeper::For(parent, true)->Set(child, anchors);
}

TAnchors AnchorsOf(const QWidget *child)
{
    QWidget *parent = child->parentWidget();
    AnchorKeeper *keeper = parent ? AnchorKeeper::For(parent, false) : nullptr;
    return keeper ? keeper->Get(child) : TAnchors(akLeft | akTop);
}

void FitToChildren(QWidget *window)
{
    QRect area;
    const QList<QWidget *> children = window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (const QWidget *child : children) {
        if (!child->isWindow())
            area |= child->geometry();
    }
    if (area.isNull())
        return;
    for (QWidget *child : children) {
        if (!child->isWindow())
            child->move(child->pos() - area.topLeft());
    }
    window->resize(area.size());
}

} // namespace Anchors
