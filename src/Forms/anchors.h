#pragma once
/// @file
/// Anchoring of controls to the edges of their parent.

#include <QObject>

class QWidget;

/// Anchors and fitting of controls in their parent.
namespace Anchors {
Q_NAMESPACE

/// The edges of its parent a control keeps its distance to when the parent is resized.
enum TAnchorKind { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
/// A set of edges.
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)

/// Anchors child to the given edges of its parent, from its current place. An axis with
/// neither edge keeps the control's centre at the same proportion of the parent's size.
/// Moving or resizing the child in code later takes its new place as the anchored one.
void SetAnchors(QWidget *child, TAnchors anchors);
/// The anchors SetAnchors gave child; akLeft | akTop for a control never anchored.
TAnchors AnchorsOf(const QWidget *child);

/// Fits a window's client area to its children once: the union of the children's rectangles
/// is moved to the client origin and the client area takes the union's size.
void FitToChildren(QWidget *window);

} // namespace Anchors

Q_DECLARE_OPERATORS_FOR_FLAGS(Anchors::TAnchors)
