#include "WindowFrame_p.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <thread>
#include <vector>

namespace {
template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// A property of 32-bit items; an error (a window gone) is kept from Qt's event queue.
Reply<xcb_get_property_reply_t> Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t atom,
                                         xcb_atom_t type, std::uint32_t items) {
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_property_reply_t> r(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, atom, type, 0, items), &error),
        &std::free);
    std::free(error);
    if (r && r->format != 32) r.reset();
    return r;
}

std::vector<std::uint32_t> Items(const Reply<xcb_get_property_reply_t>& r) {
    if (!r) return {};
    const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(r.get()));
    return {v, v + xcb_get_property_value_length(r.get()) / 4};
}

// Whether a window manager is running (its check window names itself) and lists
// `request` among the hints it supports.
bool Supported(xcb_connection_t* c, xcb_window_t root, xcb_atom_t request) {
    const xcb_atom_t check = Atom(c, "_NET_SUPPORTING_WM_CHECK");
    const auto manager = Items(Property(c, root, check, XCB_ATOM_WINDOW, 1));
    if (manager.size() != 1 || Items(Property(c, manager[0], check, XCB_ATOM_WINDOW, 1)) != manager)
        return false;
    const auto hints = Items(Property(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096));
    return std::find(hints.begin(), hints.end(), request) != hints.end();
}

std::optional<QMargins> Extents(xcb_connection_t* c, xcb_window_t window, xcb_atom_t atom) {
    const auto v = Items(Property(c, window, atom, XCB_ATOM_CARDINAL, 4));
    if (v.size() != 4) return std::nullopt;
    // Left, right, top, bottom.
    return QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                    static_cast<int>(v[3]));
}

// Gives `to` every property of `from` that the window itself sets: the kind of window, its
// size limits, its class and its decoration hints are what the window manager draws the
// frame from. What the window manager left on a window it let go (a frame of 0 on a
// closed window, its state) would answer the question before it is asked.
void CopyProperties(xcb_connection_t* c, xcb_window_t from, xcb_window_t to,
                    std::initializer_list<xcb_atom_t> managers) {
    const Reply<xcb_list_properties_reply_t> list(
        xcb_list_properties_reply(c, xcb_list_properties(c, from), nullptr), &std::free);
    if (!list) return;
    const xcb_atom_t* atoms = xcb_list_properties_atoms(list.get());
    for (int i = 0; i < xcb_list_properties_atoms_length(list.get()); ++i) {
        if (std::find(managers.begin(), managers.end(), atoms[i]) != managers.end()) continue;
        const Reply<xcb_get_property_reply_t> p(
            xcb_get_property_reply(
                c, xcb_get_property(c, 0, from, atoms[i], XCB_GET_PROPERTY_TYPE_ANY, 0, 65536),
                nullptr),
            &std::free);
        if (!p || p->format == 0) continue;
        xcb_change_property(
            c, XCB_PROP_MODE_REPLACE, to, atoms[i], p->type, p->format,
            static_cast<std::uint32_t>(xcb_get_property_value_length(p.get()) / (p->format / 8)),
            xcb_get_property_value(p.get()));
    }
}
} // namespace

std::optional<QMargins> AskFrameExtents(QWidget& window) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    // A window manager that left several questions in a row unanswered is not asked
    // again; one slow answer (a loaded machine) does not end the asking.
    static int unanswered = 0;
    if (!c || unanswered >= 3) return std::nullopt;
    static const xcb_atom_t request = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    static const xcb_atom_t extents = Atom(c, "_NET_FRAME_EXTENTS");
    static const xcb_atom_t wmState = Atom(c, "WM_STATE");
    const auto id = static_cast<xcb_window_t>(window.winId());
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr), &std::free);
    if (!geometry || !Supported(c, geometry->root, request)) return std::nullopt;

    // The window manager answers by pretending to manage the window, and tells the window
    // of its pretended placement as well: a stand-in takes that, not the window itself.
    const xcb_window_t probe = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, geometry->root, 0, 0,
                      std::max<std::uint16_t>(1, geometry->width),
                      std::max<std::uint16_t>(1, geometry->height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    CopyProperties(c, id, probe, {extents, wmState});
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = probe;
    message.type = request;
    xcb_send_event(c, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);

    // The answer is a property, set when the window manager gets to it: one that takes
    // longer is taken to give no answer.
    std::optional<QMargins> told;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(1000);
    while (!(told = Extents(c, probe, extents)) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    xcb_destroy_window(c, probe);
    xcb_flush(c);
    unanswered = told ? 0 : unanswered + 1;
    return told;
}
