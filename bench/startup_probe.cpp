// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Times one start of a program from exec to its first painted frame, as the
// X server sees it, and reads its memory once shown.
//
//   startup_probe TITLE X Y RRGGBB -- PROGRAM [ARGS...]
//
// The frame counts as painted when a viewable top-level window titled TITLE,
// framed by a window manager or not, shows colour RRGGBB at (X, Y) of its
// client area. Prints
// "startup_ms=... rss_kib=..." and exits 0, or 1 after 10 s without it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

bool shows_colour(Display* display, Window window, int x, int y,
                  unsigned long rgb) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes) ||
      attributes.map_state != IsViewable || x >= attributes.width ||
      y >= attributes.height) {
    return false;
  }
  XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFFu;
  XDestroyImage(image);
  return pixel == rgb;
}

// A window titled TITLE among the children of `under`, or, `depth` levels
// down, among theirs: a window manager puts each window in a frame of its
// own.
bool painted(Display* display, Window under, int depth, const char* title,
             int x, int y, unsigned long rgb) {
  Window root_return, parent;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, under, &root_return, &parent, &children, &count)) {
    return false;
  }
  bool found = false;
  for (unsigned int i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) && name != nullptr) {
      found = std::strcmp(name, title) == 0 &&
              shows_colour(display, children[i], x, y, rgb);
      XFree(name);
    } else if (depth > 0) {
      found = painted(display, children[i], depth - 1, title, x, y, rgb);
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

long rss_kib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// Silences X errors from windows that vanish between two requests.
int ignore_errors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 7 || std::strcmp(argv[5], "--") != 0) {
    std::fprintf(
        stderr, "usage: startup_probe TITLE X Y RRGGBB -- PROGRAM [ARGS...]\n");
    return 2;
  }
  const char* title = argv[1];
  const int x = std::atoi(argv[2]);
  const int y = std::atoi(argv[3]);
  const unsigned long rgb = std::strtoul(argv[4], nullptr, 16);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "startup_probe: cannot open the display\n");
    return 1;
  }
  XSetErrorHandler(ignore_errors);

  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execv(argv[6], argv + 6);
    _exit(127);
  }
  bool seen = false;
  while (Clock::now() - start < std::chrono::seconds(10)) {
    if (painted(display, DefaultRootWindow(display), 1, title, x, y, rgb)) {
      seen = true;
      break;
    }
    // Each look costs the X server a round of requests: looking too often
    // would slow the very start it times.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const double ms =
      std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const long rss = rss_kib(pid);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  XCloseDisplay(display);
  if (!seen) {
    std::fprintf(stderr, "startup_probe: no painted frame within 10 s\n");
    return 1;
  }
  std::printf("startup_ms=%.2f rss_kib=%ld\n", ms, rss);
  return 0;
}
