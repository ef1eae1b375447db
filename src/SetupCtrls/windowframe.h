#pragma once

#include <QMargins>

class QWindow;

namespace WindowFrame {

// The frame the window manager will give a window not yet shown, asked for with
// _NET_REQUEST_FRAME_EXTENTS (X11 window managers frame a window only when it is mapped, so
// Qt knows no frame before). Empty when the platform is not X11, the window manager does not
// answer, or the window has no native window yet.
QMargins Requested(QWindow *window);

} // namespace WindowFrame
