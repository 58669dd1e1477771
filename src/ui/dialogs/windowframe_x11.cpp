#include "ui/dialogs/windowframe.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace dialogs {
namespace {

// How long a window manager that says it answers frame requests is given to answer. It answers in a few
// milliseconds; the deadline only keeps a broken one from holding up a window for good.
constexpr int kAnswerDeadlineMs = 500;
constexpr unsigned long kPollIntervalMs = 2;

struct FreeReply {
    void operator()(void *reply) const { std::free(reply); }
};
template<typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// A reply, or nothing. An error is taken here: left to the connection, it would reach Qt's event loop and
// be printed on the console (a window manager that quit leaves a check window id that names no window).
template<typename T>
Reply<T> take(T *reply, xcb_generic_error_t *error) {
    std::free(error);
    return Reply<T>(reply);
}

enum AtomIndex { NetFrameExtents, NetRequestFrameExtents, NetSupported, NetSupportingWmCheck, AtomCount };

std::array<xcb_atom_t, AtomCount> internAtoms(xcb_connection_t *connection) {
    static constexpr std::array<const char *, AtomCount> names = {
        "_NET_FRAME_EXTENTS", "_NET_REQUEST_FRAME_EXTENTS", "_NET_SUPPORTED", "_NET_SUPPORTING_WM_CHECK"};
    // All requests first, then all replies: one round trip.
    std::array<xcb_intern_atom_cookie_t, AtomCount> cookies{};
    for (int i = 0; i < AtomCount; ++i)
        cookies[i] = xcb_intern_atom(connection, 0, uint16_t(std::strlen(names[i])), names[i]);
    std::array<xcb_atom_t, AtomCount> atoms{};
    for (int i = 0; i < AtomCount; ++i) {
        xcb_generic_error_t *error = nullptr;
        const auto reply = take(xcb_intern_atom_reply(connection, cookies[i], &error), error);
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    return atoms;
}

// The 32-bit values of a window's property; empty when it is not set, has another type or the window is gone.
std::vector<uint32_t> property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name,
                               xcb_atom_t type) {
    xcb_generic_error_t *error = nullptr;
    const auto reply =
        take(xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, name, type, 0, 1024),
                                    &error),
             error);
    if (!reply || reply->type != type || reply->format != 32)
        return {};
    const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// The frame the window manager has announced on the window, as left, top, right, bottom.
std::optional<QMargins> announcedFrame(xcb_connection_t *connection, xcb_window_t window,
                                       const std::array<xcb_atom_t, AtomCount> &atoms) {
    const std::vector<uint32_t> extents =
        property(connection, window, atoms[NetFrameExtents], XCB_ATOM_CARDINAL);
    if (extents.size() != 4)
        return std::nullopt;
    // The property holds left, right, top, bottom.
    return QMargins(int(extents[0]), int(extents[2]), int(extents[1]), int(extents[3]));
}

// Whether a running window manager says it tells a window's frame before the window is mapped. One that has
// quit leaves its properties on the root window, but its check window is gone with it.
bool managerAnswersFrameRequests(xcb_connection_t *connection, xcb_window_t root,
                                 const std::array<xcb_atom_t, AtomCount> &atoms) {
    const std::vector<uint32_t> check =
        property(connection, root, atoms[NetSupportingWmCheck], XCB_ATOM_WINDOW);
    if (check.size() != 1)
        return false;
    const std::vector<uint32_t> self =
        property(connection, check[0], atoms[NetSupportingWmCheck], XCB_ATOM_WINDOW);
    if (self.size() != 1 || self[0] != check[0])
        return false;
    const std::vector<uint32_t> supported = property(connection, root, atoms[NetSupported], XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), atoms[NetRequestFrameExtents]) != supported.end();
}

std::optional<QMargins> askWindowManager(xcb_connection_t *connection, xcb_window_t window) {
    const std::array<xcb_atom_t, AtomCount> atoms = internAtoms(connection);
    // A window that has been shown before carries its frame already.
    if (std::optional<QMargins> frame = announcedFrame(connection, window, atoms))
        return frame;

    xcb_generic_error_t *error = nullptr;
    const auto geometry =
        take(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), &error), error);
    if (!geometry || !managerAnswersFrameRequests(connection, geometry->root, atoms))
        return std::nullopt;

    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = window;
    request.type = atoms[NetRequestFrameExtents];
    xcb_send_event(connection, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&request));
    xcb_flush(connection);

    // The answer is a property change on a window whose events Qt's own thread reads, so it is polled for.
    const QDeadlineTimer deadline(kAnswerDeadlineMs);
    for (;;) {
        if (std::optional<QMargins> frame = announcedFrame(connection, window, atoms))
            return frame;
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(kPollIntervalMs);
    }
}

} // namespace

QMargins windowFrame(QWidget &window) {
    createNativeWindow(window);
    QWindow *handle = window.windowHandle();
    if (!handle)
        return {};
    const auto id = xcb_window_t(handle->winId());
    // Only Qt's X11 plug-in draws through X: the headless one offers an X11 interface without a connection,
    // and its windows are no X windows.
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection =
        x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection() : nullptr;
    const std::optional<QMargins> frame = connection ? askWindowManager(connection, id) : std::nullopt;
    if (!frame)
        return handle->frameMargins();
    // The window manager counts the screen's pixels; the window is laid out in Qt's scaled ones.
    const qreal ratio = handle->devicePixelRatio();
    return QMargins(qRound(frame->left() / ratio), qRound(frame->top() / ratio),
                    qRound(frame->right() / ratio), qRound(frame->bottom() / ratio));
}

} // namespace dialogs
