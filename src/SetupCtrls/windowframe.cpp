#include "windowframe.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t *connection, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, false, uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The window's _NET_FRAME_EXTENTS (left, right, top, bottom), if set.
bool ReadExtents(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t extents, QMargins &margins)
{
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, false, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr),
        &std::free);
    if (!reply || reply->type != XCB_ATOM_CARDINAL || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return false;
    const auto *value = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    margins = QMargins(int(value[0]), int(value[2]), int(value[1]), int(value[3]));
    return true;
}

bool Supported(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t atom)
{
    const xcb_atom_t supported = Atom(connection, "_NET_SUPPORTED");
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, false, root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr),
        &std::free);
    if (!reply || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == atom)
            return true;
    }
    return false;
}

} // namespace

QMargins WindowFrame::Requested(QWindow *window)
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !window || !window->handle())
        return {};
    xcb_connection_t *connection = x11->connection();
    const xcb_window_t id = xcb_window_t(window->winId());
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE || !Supported(connection, root, request))
        return {};

    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, false, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
    // The window manager answers by setting the property; a few milliseconds at most.
    QMargins margins;
    const QDeadlineTimer deadline(100);
    while (!ReadExtents(connection, id, extents, margins)) {
        if (deadline.hasExpired())
            return {};
        QThread::msleep(2);
    }
    const qreal ratio = window->devicePixelRatio();
    return QMargins(qRound(margins.left() / ratio), qRound(margins.top() / ratio), qRound(margins.right() / ratio),
                    qRound(margins.bottom() / ratio));
}
