// x11_probe: looks at the windows of an X display for the desktop smoke test.
//   x11_probe find TITLE   prints the id of a viewable top-level window whose name
//                          contains TITLE and that is a normal window (not a splash
//                          screen or a dialog); exit 1 if none
//   x11_probe list -       lists the viewable top-level windows with type and name
//   x11_probe colours WID  prints how many distinct colours the window shows on screen
//   x11_probe close WID    asks the window to close as a window manager would
//                          (WM_PROTOCOLS / WM_DELETE_WINDOW)
// Talks to $DISPLAY through xcb only, so it does not depend on the toolkit it watches.

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t InternAtom(xcb_connection_t* c, const char* name) {
  Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string StringProperty(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type) {
  Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1024), nullptr));
  if (!reply || reply->format != 8) return {};
  const int length = xcb_get_property_value_length(reply.get());
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                     static_cast<size_t>(length));
}

std::vector<xcb_atom_t> AtomListProperty(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property) {
  Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, XCB_ATOM_ATOM, 0, 64), nullptr));
  if (!reply || reply->format != 32) return {};
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  return std::vector<xcb_atom_t>(atoms, atoms + xcb_get_property_value_length(reply.get()) / 4);
}

bool IsViewable(xcb_connection_t* c, xcb_window_t w) {
  Reply<xcb_get_window_attributes_reply_t> attributes(
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr));
  return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

std::vector<xcb_window_t> Children(xcb_connection_t* c, xcb_window_t w) {
  Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr));
  if (!tree) return {};
  const xcb_window_t* kids = xcb_query_tree_children(tree.get());
  return std::vector<xcb_window_t>(kids, kids + xcb_query_tree_children_length(tree.get()));
}

struct TopLevel {
  xcb_window_t id;
  std::string name;
  std::string type;  //!< the first _NET_WM_WINDOW_TYPE without its prefix, or ""
};

std::string AtomName(xcb_connection_t* c, xcb_atom_t atom) {
  Reply<xcb_get_atom_name_reply_t> reply(xcb_get_atom_name_reply(c, xcb_get_atom_name(c, atom), nullptr));
  if (!reply) return {};
  return std::string(xcb_get_atom_name_name(reply.get()),
                     static_cast<size_t>(xcb_get_atom_name_name_length(reply.get())));
}

// The viewable top-level windows: without a window manager, the children of the root.
std::vector<TopLevel> ViewableTopLevels(xcb_connection_t* c, xcb_window_t root) {
  const xcb_atom_t netWmName = InternAtom(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = InternAtom(c, "UTF8_STRING");
  const xcb_atom_t windowType = InternAtom(c, "_NET_WM_WINDOW_TYPE");
  std::vector<TopLevel> result;
  for (xcb_window_t w : Children(c, root)) {
    if (!IsViewable(c, w)) continue;
    TopLevel top{w, StringProperty(c, w, netWmName, utf8), {}};
    if (top.name.empty()) top.name = StringProperty(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
    const std::vector<xcb_atom_t> types = AtomListProperty(c, w, windowType);
    if (!types.empty()) {
      top.type = AtomName(c, types.front());
      const std::string prefix = "_NET_WM_WINDOW_TYPE_";
      if (top.type.rfind(prefix, 0) == 0) top.type.erase(0, prefix.size());
    }
    result.push_back(top);
  }
  return result;
}

// A main window: named with the title, and of the normal type (not a splash screen or
// a dialog) when the window says its type.
int Find(xcb_connection_t* c, xcb_window_t root, const std::string& title) {
  for (const TopLevel& top : ViewableTopLevels(c, root)) {
    if (top.name.find(title) == std::string::npos) continue;
    if (!top.type.empty() && top.type != "NORMAL") continue;
    std::printf("0x%x\n", top.id);
    return 0;
  }
  return 1;
}

int List(xcb_connection_t* c, xcb_window_t root) {
  for (const TopLevel& top : ViewableTopLevels(c, root)) {
    std::printf("0x%x %-8s \"%s\"\n", top.id, top.type.empty() ? "-" : top.type.c_str(), top.name.c_str());
  }
  return 0;
}

int CountColours(xcb_connection_t* c, const xcb_screen_t* screen, xcb_window_t w) {
  Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr));
  Reply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
      c, xcb_translate_coordinates(c, w, screen->root, 0, 0), nullptr));
  if (!geometry || !origin) {
    std::fprintf(stderr, "x11_probe: no such window 0x%x\n", w);
    return 2;
  }
  // Clip to the screen: a window may hang over its edge.
  const int x0 = std::max<int>(0, origin->dst_x);
  const int y0 = std::max<int>(0, origin->dst_y);
  const int x1 = std::min<int>(screen->width_in_pixels, origin->dst_x + geometry->width);
  const int y1 = std::min<int>(screen->height_in_pixels, origin->dst_y + geometry->height);
  if (x1 <= x0 || y1 <= y0) {
    std::printf("0\n");
    return 0;
  }
  // What the screen shows there, read from the root so that overlapping windows count as seen.
  Reply<xcb_get_image_reply_t> image(xcb_get_image_reply(
      c,
      xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, static_cast<int16_t>(x0),
                    static_cast<int16_t>(y0), static_cast<uint16_t>(x1 - x0),
                    static_cast<uint16_t>(y1 - y0), ~0u),
      nullptr));
  if (!image || image->depth != 24) {
    std::fprintf(stderr, "x11_probe: the screen must have depth 24\n");
    return 2;
  }
  // Depth 24 is stored as 32 bits a pixel on every server this test runs on.
  const auto* data = xcb_get_image_data(image.get());
  const int length = xcb_get_image_data_length(image.get());
  std::unordered_set<uint32_t> colours;
  for (int i = 0; i + 3 < length; i += 4) {
    uint32_t pixel;
    std::memcpy(&pixel, data + i, 4);
    colours.insert(pixel & 0xFFFFFFu);
  }
  std::printf("%zu\n", colours.size());
  return 0;
}

int Close(xcb_connection_t* c, xcb_window_t w) {
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = w;
  event.type = InternAtom(c, "WM_PROTOCOLS");
  event.data.data32[0] = InternAtom(c, "WM_DELETE_WINDOW");
  event.data.data32[1] = XCB_CURRENT_TIME;
  xcb_void_cookie_t cookie = xcb_send_event_checked(c, 0, w, XCB_EVENT_MASK_NO_EVENT,
                                                    reinterpret_cast<const char*>(&event));
  Reply<xcb_generic_error_t> error(xcb_request_check(c, cookie));
  if (error) {
    std::fprintf(stderr, "x11_probe: could not send to window 0x%x (error %d)\n", w, error->error_code);
    return 2;
  }
  return 0;
}

int Usage() {
  std::fprintf(stderr, "usage: x11_probe find TITLE | list - | colours WID | close WID\n");
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) return Usage();
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "x11_probe: cannot open display %s\n", std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
    xcb_disconnect(c);
    return 2;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
  const xcb_screen_t* screen = it.data;

  const std::string command = argv[1];
  int status;
  if (command == "find") {
    status = Find(c, screen->root, argv[2]);
  } else if (command == "list") {
    status = List(c, screen->root);
  } else if (command == "colours" || command == "close") {
    char* end = nullptr;
    const unsigned long id = std::strtoul(argv[2], &end, 0);
    if (end == argv[2] || *end != '\0') {
      status = Usage();
    } else {
      status = command == "colours" ? CountColours(c, screen, static_cast<xcb_window_t>(id))
                                    : Close(c, static_cast<xcb_window_t>(id));
    }
  } else {
    status = Usage();
  }
  xcb_flush(c);
  xcb_disconnect(c);
  return status;
}
