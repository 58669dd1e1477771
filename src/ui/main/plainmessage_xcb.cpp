// The plain message on X11: a window drawn with the core protocol's own requests on a connection of its own,
// so nothing of Qt's backing store comes near a screen it cannot paint.

#include "ui/main/plainmessage.h"

#include <QByteArray>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace plainmessage {

namespace {

// The keys that close a message box with one button: Return, the keypad's Enter, Space and Escape.
constexpr xcb_keysym_t ClosingKeys[] = {0xff0d, 0xff8d, 0x0020, 0xff1b};

struct Connection {
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> owner{nullptr, &xcb_disconnect};
    // Null when there is no usable connection.
    xcb_screen_t *screen = nullptr;
};

Connection connect() {
    Connection x;
    int number = 0;
    x.owner.reset(xcb_connect(nullptr, &number));
    if (xcb_connection_has_error(x.owner.get()))
        return x;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(x.owner.get()));
    for (; it.rem && number > 0; --number)
        xcb_screen_next(&it);
    if (it.rem)
        x.screen = it.data;
    return x;
}

// One connection for the run, opened on the first use: the window of a second message then gets an id of its
// own, never the id that the first one's had.
const Connection &display() {
    static const Connection x = connect();
    return x;
}

const xcb_visualtype_t *rootVisual(const xcb_screen_t *screen) {
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem; xcb_depth_next(&depths))
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
             xcb_visualtype_next(&visuals))
            if (visuals.data->visual_id == screen->root_visual)
                return visuals.data;
    return nullptr;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name) {
    const auto reply = std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)>(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

void putPicture(xcb_connection_t *connection, xcb_window_t window, xcb_gcontext_t gc, const QImage &image,
                const QByteArray &bits) {
    const int stride = int(bits.size()) / image.height();
    // In bands that each fit one request.
    const uint32_t room = xcb_get_maximum_request_length(connection) * 4 - 32;
    const int rowsPerBand = std::max(1, int(room / uint32_t(stride)));
    for (int top = 0; top < image.height(); top += rowsPerBand) {
        const int rows = std::min(rowsPerBand, image.height() - top);
        xcb_put_image(connection, XCB_IMAGE_FORMAT_XY_BITMAP, window, gc, uint16_t(image.width()),
                      uint16_t(rows), 0, int16_t(top), 0, 1, uint32_t(stride * rows),
                      reinterpret_cast<const uint8_t *>(bits.constData()) + qsizetype(top) * stride);
    }
    xcb_flush(connection);
}

// Keycode → its first keysym, from the server's keyboard mapping.
class KeyMap {
public:
    explicit KeyMap(xcb_connection_t *connection) {
        const xcb_setup_t *setup = xcb_get_setup(connection);
        m_first = setup->min_keycode;
        m_reply.reset(xcb_get_keyboard_mapping_reply(
            connection,
            xcb_get_keyboard_mapping(connection, setup->min_keycode,
                                     uint8_t(setup->max_keycode - setup->min_keycode + 1)),
            nullptr));
    }
    xcb_keysym_t keysym(xcb_keycode_t code) const {
        if (!m_reply || code < m_first)
            return 0;
        const int index = (code - m_first) * m_reply->keysyms_per_keycode;
        if (index >= xcb_get_keyboard_mapping_keysyms_length(m_reply.get()))
            return 0;
        return xcb_get_keyboard_mapping_keysyms(m_reply.get())[index];
    }

private:
    xcb_keycode_t m_first = 0;
    std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> m_reply{nullptr, &std::free};
};

void setText(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
             const QByteArray &text) {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, type, 8, uint32_t(text.size()),
                        text.constData());
}

// A top-level window of the picture's size in the middle of the screen, white until the picture is put on it,
// named and described for the window manager as a message box would be.
xcb_window_t createWindow(const Connection &x, QSize size, const QString &caption, xcb_atom_t protocols,
                          xcb_atom_t deleteWindow) {
    xcb_connection_t *c = x.owner.get();
    const xcb_window_t window = xcb_generate_id(c);
    const int16_t left = int16_t(std::max(0, (x.screen->width_in_pixels - size.width()) / 2));
    const int16_t top = int16_t(std::max(0, (x.screen->height_in_pixels - size.height()) / 2));
    const uint32_t attributes[] = {x.screen->white_pixel, XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS |
                                                              XCB_EVENT_MASK_BUTTON_PRESS |
                                                              XCB_EVENT_MASK_BUTTON_RELEASE |
                                                              XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, x.screen->root, left, top, uint16_t(size.width()),
                      uint16_t(size.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, x.screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, attributes);

    const QByteArray title = caption.toUtf8();
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    setText(c, window, XCB_ATOM_WM_NAME, utf8, title);
    setText(c, window, atom(c, "_NET_WM_NAME"), utf8, title);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, protocols, XCB_ATOM_ATOM, 32, 1, &deleteWindow);
    const xcb_atom_t dialog = atom(c, "_NET_WM_WINDOW_TYPE_DIALOG");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32,
                        1, &dialog);
    // Size hints (ICCCM): placed where the program put it, and of the one size its picture has.
    enum : uint32_t { ProgramPosition = 1u << 2, MinimumSize = 1u << 4, MaximumSize = 1u << 5 };
    const uint32_t w = uint32_t(size.width()), h = uint32_t(size.height());
    const uint32_t sizeHints[18] = {
        ProgramPosition | MinimumSize | MaximumSize, uint32_t(left), uint32_t(top), w, h, w, h, w, h};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS,
                        32, 18, sizeHints);
    // Window manager hints: it takes the keyboard (input), shown at once (normal state).
    const uint32_t wmHints[9] = {1u | 2u, 1, 1};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9,
                        wmHints);
    return window;
}

} // namespace

bool qtPaintsScreen() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        return !screen || screen->depth() >= 15;
    }
    const Connection &x = display();
    if (!x.screen)
        return true;
    // Qt's raster windows write 15 to 32-bit true-colour pixels only; on anything else they stay black.
    const xcb_visualtype_t *visual = rootVisual(x.screen);
    return !visual || (x.screen->root_depth >= 15 && (visual->_class == XCB_VISUAL_CLASS_TRUE_COLOR ||
                                                      visual->_class == XCB_VISUAL_CLASS_DIRECT_COLOR));
}

bool show(const QString &caption, const QString &text) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    const Connection &x = display();
    if (!x.screen)
        return false;
    xcb_connection_t *c = x.owner.get();
    const Picture picture = draw(caption, text, QGuiApplication::font());
    const QImage &image = picture.image;
    const xcb_setup_t *setup = xcb_get_setup(c);
    const QByteArray bits =
        bitmapRows(image, {setup->bitmap_format_scanline_unit, setup->bitmap_format_scanline_pad,
                           setup->bitmap_format_bit_order == XCB_IMAGE_ORDER_LSB_FIRST,
                           setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST});
    const KeyMap keys(c);
    const xcb_atom_t protocols = atom(c, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom(c, "WM_DELETE_WINDOW");
    const xcb_window_t window = createWindow(x, image.size(), caption, protocols, deleteWindow);

    const xcb_gcontext_t gc = xcb_generate_id(c);
    const uint32_t colours[] = {x.screen->black_pixel, x.screen->white_pixel, 0};
    xcb_create_gc(c, gc, window, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_GRAPHICS_EXPOSURES, colours);
    xcb_map_window(c, window);
    xcb_flush(c);

    bool focused = false;
    bool pressedOnButton = false;
    bool open = true;
    const auto onButton = [&picture](int16_t px, int16_t py) { return picture.button.contains(px, py); };
    while (open) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_wait_for_event(c),
                                                                               &std::free);
        if (!event)
            break;
        switch (event->response_type & 0x7f) {
        case XCB_EXPOSE: {
            const auto *expose = reinterpret_cast<const xcb_expose_event_t *>(event.get());
            if (expose->window != window || expose->count != 0)
                break;
            putPicture(c, window, gc, image, bits);
            // Exposed means viewable: now the keyboard can come to it, also where no window manager gives it.
            if (!focused) {
                xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
                xcb_flush(c);
                focused = true;
            }
            break;
        }
        case XCB_KEY_PRESS: {
            const auto *key = reinterpret_cast<const xcb_key_press_event_t *>(event.get());
            const xcb_keysym_t sym = keys.keysym(key->detail);
            if (key->event == window &&
                std::find(std::begin(ClosingKeys), std::end(ClosingKeys), sym) != std::end(ClosingKeys))
                open = false;
            break;
        }
        case XCB_BUTTON_PRESS: {
            const auto *press = reinterpret_cast<const xcb_button_press_event_t *>(event.get());
            pressedOnButton =
                press->event == window && press->detail == 1 && onButton(press->event_x, press->event_y);
            break;
        }
        case XCB_BUTTON_RELEASE: {
            const auto *release = reinterpret_cast<const xcb_button_release_event_t *>(event.get());
            if (pressedOnButton && release->detail == 1 && onButton(release->event_x, release->event_y))
                open = false;
            pressedOnButton = false;
            break;
        }
        case XCB_CLIENT_MESSAGE: {
            const auto *message = reinterpret_cast<const xcb_client_message_event_t *>(event.get());
            if (message->window == window && message->type == protocols &&
                message->data.data32[0] == deleteWindow)
                open = false;
            break;
        }
        case XCB_DESTROY_NOTIFY:
            // Another client took it away.
            open = reinterpret_cast<const xcb_destroy_notify_event_t *>(event.get())->window != window;
            break;
        default:
            // Errors (a refused focus, say) and everything else change nothing.
            break;
        }
    }
    xcb_free_gc(c, gc);
    xcb_destroy_window(c, window);
    xcb_flush(c);
    return true;
}

} // namespace plainmessage
