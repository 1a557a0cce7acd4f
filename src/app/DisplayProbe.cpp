#include "app/DisplayProbe.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#ifdef TARVOLIN_HAVE_XCB
#include <xcb/randr.h>
#include <xcb/xcb.h>
#endif

namespace {
bool g_replaced = false;
#ifdef TARVOLIN_HAVE_XCB
// Open until Qt has its own: an X server left without clients resets, and
// refuses connections meanwhile.
xcb_connection_t* g_probe = nullptr;
#endif

#ifdef TARVOLIN_HAVE_XCB
// Qt picks xcb unless told otherwise or on a Wayland session.
bool QtWillUseX11() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty()) return platform.startsWith("xcb");
  if (qgetenv("XDG_SESSION_TYPE") == "wayland") return false;
  return !qgetenv("DISPLAY").isEmpty();
}

template <class Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply>
XcbReply<Reply> Take(Reply* reply) {
  return XcbReply<Reply>(reply, &std::free);
}

xcb_atom_t ExistingAtom(xcb_connection_t* c, xcb_intern_atom_cookie_t cookie) {
  const auto reply = Take(xcb_intern_atom_reply(c, cookie, nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The primary monitor in device pixels as Qt will see it (the whole screen
// when the server names no monitors); a window's area leaves out the
// desktop's panels (_NET_WORKAREA of the current desktop).
std::optional<QSize> X11Area(bool windowed) {
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  EndDisplayProbe();
  g_probe = c;
  if (xcb_connection_has_error(c)) return std::nullopt;
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber && it.rem; ++i) xcb_screen_next(&it);
  if (!it.rem) return std::nullopt;
  const xcb_window_t root = it.data->root;
  QRect area(0, 0, it.data->width_in_pixels, it.data->height_in_pixels);

  // Every question goes out before the first answer is awaited.
  const xcb_query_extension_reply_t* randr = xcb_get_extension_data(c, &xcb_randr_id);
  const bool hasRandr = randr && randr->present;
  xcb_randr_query_version_cookie_t version{};
  if (hasRandr) version = xcb_randr_query_version(c, 1, 5);
  xcb_intern_atom_cookie_t workAreaAtom{}, desktopAtom{};
  if (windowed) {
    workAreaAtom = xcb_intern_atom(c, 1, std::strlen("_NET_WORKAREA"), "_NET_WORKAREA");
    desktopAtom =
        xcb_intern_atom(c, 1, std::strlen("_NET_CURRENT_DESKTOP"), "_NET_CURRENT_DESKTOP");
  }

  if (hasRandr) {
    const auto v = Take(xcb_randr_query_version_reply(c, version, nullptr));
    if (v && (v->major_version > 1 || v->minor_version >= 5)) {
      const auto monitors =
          Take(xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, root, 1), nullptr));
      if (monitors && monitors->nMonitors > 0) {
        xcb_randr_monitor_info_iterator_t m =
            xcb_randr_get_monitors_monitors_iterator(monitors.get());
        QRect first(m.data->x, m.data->y, m.data->width, m.data->height), primary;
        for (; m.rem; xcb_randr_monitor_info_next(&m))
          if (m.data->primary) primary = QRect(m.data->x, m.data->y, m.data->width, m.data->height);
        area = primary.isValid() ? primary : first;
      }
    }
  }

  if (windowed) {
    const xcb_atom_t workArea = ExistingAtom(c, workAreaAtom);
    const xcb_atom_t currentDesktop = ExistingAtom(c, desktopAtom);
    std::uint32_t desktop = 0;
    if (currentDesktop != XCB_ATOM_NONE) {
      const auto reply = Take(xcb_get_property_reply(
          c, xcb_get_property(c, 0, root, currentDesktop, XCB_ATOM_CARDINAL, 0, 1), nullptr));
      if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) >= 4)
        desktop = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    }
    if (workArea != XCB_ATOM_NONE && desktop < 64) {
      const auto reply = Take(xcb_get_property_reply(
          c, xcb_get_property(c, 0, root, workArea, XCB_ATOM_CARDINAL, desktop * 4, 4), nullptr));
      if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) >= 16) {
        const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
        const QRect work(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                         static_cast<int>(v[3]));
        if (work.intersects(area)) area &= work;
      }
    }
  }
  return area.size();
}
#endif

// A short-lived Qt application asks the platform (in its own scaled pixels).
QSize QtArea(int argc, char** argv, bool windowed) {
  int probeArgc = argc;
  QGuiApplication probe(probeArgc, argv);
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  return windowed ? screen->availableGeometry().size() : screen->geometry().size();
}
}  // namespace

int SetUpDisplayScale(const TDisplayChoice& choice, int argc, char** argv) {
  std::optional<QSize> area;
  bool ownScaling = false;
#ifdef TARVOLIN_HAVE_XCB
  if (QtWillUseX11()) {
    ownScaling = true;
    if (choice.Scale <= 0 || choice.Remembered) area = X11Area(choice.Window);
  }
#endif
  if (!ownScaling && (choice.Scale <= 0 || choice.Remembered))
    area = QtArea(argc, argv, choice.Window);
  const int scale = ScaleToUse(choice, area.value_or(QSize()));
  if (ownScaling) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    // Xft.dpi would otherwise still size the fonts given in points.
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    g_replaced = true;
  } else if (scale > 1) {
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
  }
  return scale;
}

void EndDisplayProbe() {
#ifdef TARVOLIN_HAVE_XCB
  if (g_probe) xcb_disconnect(g_probe);
  g_probe = nullptr;
#endif
}

bool DesktopScalingReplaced() {
  return g_replaced;
}
