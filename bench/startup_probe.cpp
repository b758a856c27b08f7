// Times a program's start-up from outside, on an X display: from the moment
// it is started to the moment its main window is mapped and to the moment
// that window shows its first painted frame. The program is not told it is
// being timed and needs no hook of its own.
//
//   startup_probe TITLE PROGRAM [ARGUMENTS...]
//
// Prints "<mapped ms> <painted ms>" and stops the program. The window is
// the first top-level window mapped with the title TITLE. Painted means
// that the window's pixels are no longer all one colour: the toolkit fills
// an unpainted window with one background (run the X server with a plain
// black root, e.g. Xvfb -br) and flushes its whole first frame at once.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr double kTimeoutMs = 15000;
constexpr useconds_t kPollPauseUs = 1000;  // light enough not to slow the X server

double NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

std::string TitleOf(xcb_connection_t* x, xcb_window_t window) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(x, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
  XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(x, cookie, nullptr), std::free);
  if (!reply) return "";
  const auto* value = static_cast<const char*>(xcb_get_property_value(reply.get()));
  return std::string(value, static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

// Whether the window holds more than one colour.
bool Painted(xcb_connection_t* x, xcb_window_t window) {
  XcbReply<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr), std::free);
  if (!geometry) return false;
  XcbReply<xcb_get_image_reply_t> image(
      xcb_get_image_reply(x,
                          xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, geometry->width,
                                        geometry->height, ~0u),
                          nullptr),
      std::free);
  if (!image) return false;
  const uint8_t* data = xcb_get_image_data(image.get());
  const int length = xcb_get_image_data_length(image.get());
  constexpr int kPixelBytes = 4;
  for (int i = kPixelBytes; i + kPixelBytes <= length; i += kPixelBytes) {
    if (std::memcmp(data, data + i, 3) != 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGUMENTS...]\n", argv[0]);
    return 2;
  }
  const std::string title = argv[1];
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) {
    std::fprintf(stderr, "cannot connect to the X display\n");
    return 2;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);

  pid_t child = 0;
  const double start = NowMs();
  if (posix_spawn(&child, argv[2], nullptr, nullptr, argv + 2, environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", argv[2]);
    return 2;
  }

  xcb_window_t window = XCB_NONE;
  double mapped = 0;
  double painted = 0;
  while (painted == 0) {
    if (NowMs() - start > kTimeoutMs) break;
    while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
      if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY && window == XCB_NONE) {
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
        if (TitleOf(x, map->window) == title) {
          window = map->window;
          mapped = NowMs() - start;
        }
      }
      std::free(event);
    }
    if (window != XCB_NONE && Painted(x, window)) painted = NowMs() - start;
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      std::fprintf(stderr, "%s ended before its window was painted\n", argv[2]);
      return 1;
    }
    if (painted == 0) usleep(kPollPauseUs);
  }

  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  xcb_disconnect(x);
  if (painted == 0) {
    std::fprintf(stderr, "no window '%s' painted within %.0f ms\n", title.c_str(), kTimeoutMs);
    return 1;
  }
  std::printf("%.2f %.2f\n", mapped, painted);
  return 0;
}
