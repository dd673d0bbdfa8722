// Starts a program under the X display in $DISPLAY and prints how long it took from the start
// of the process to its first painted top-level window, and its resident memory a while later.
//
//   startwatch <settle-ms> <program> [args...]   prints "<start-ms> <rss-KiB>"
//
// The display must be a fresh X server without a window manager and with a black root (Xvfb
// -br): a new window is first mapped with nothing drawn in it, so it shows the black root
// until the program paints. The watcher listens for the first map of a top-level window on
// the root, asks the server to report drawing into that window (the DAMAGE extension), and
// reads the pixel in the middle of the window after each report until it is no longer black.
// Between reports it sleeps: a watcher that kept asking for the pixel would take processor
// time from the program it measures, the more so the longer the program paints. Nothing is
// injected into the program, and it is measured exactly as a pupil starts it.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1.0e6;
}

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

// Whether the middle pixel of the window is painted (not the black of the root below it).
bool painted(xcb_connection_t *c, xcb_window_t window)
{
    xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (!g)
        return false;
    const int16_t x = int16_t(g->width / 2);
    const int16_t y = int16_t(g->height / 2);
    free(g);
    xcb_get_image_reply_t *image =
        xcb_get_image_reply(c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, 1, 1, 0xffffffffu), nullptr);
    if (!image)
        return false;
    bool drawn = false;
    const uint8_t *data = xcb_get_image_data(image);
    for (int i = 0; i < xcb_get_image_data_length(image); ++i)
        drawn = drawn || data[i] != 0;
    free(image);
    return drawn;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <settle-ms> <program> [args...]\n", argv[0]);
        return 2;
    }
    const int settleMs = std::atoi(argv[1]);
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const xcb_query_extension_reply_t *damageExtension = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damageExtension || !damageExtension->present) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 2;
    }
    const uint8_t damageEvent = damageExtension->first_event;
    xcb_discard_reply(c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION).sequence);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    pid_t pid = 0;
    const double start = nowMs();
    if (posix_spawn(&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0) {
        std::perror("posix_spawn");
        return 2;
    }

    xcb_window_t window = XCB_NONE;
    while (window == XCB_NONE) {
        xcb_generic_event_t *event = xcb_wait_for_event(c);
        if (!event)
            return 2;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
            if (map->event == root && !map->override_redirect)
                window = map->window;
        }
        free(event);
    }
    // The program may have drawn between its map and our request: look once before waiting.
    const xcb_damage_damage_t damage = xcb_generate_id(c);
    xcb_damage_create(c, damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    while (!painted(c, window)) {
        xcb_generic_event_t *event = xcb_wait_for_event(c);
        if (!event)
            return 2;
        const bool drawn = (event->response_type & 0x7f) == damageEvent + XCB_DAMAGE_NOTIFY;
        free(event);
        if (drawn) // clears the reported area, so that the next drawing is reported again
            xcb_damage_subtract(c, damage, XCB_NONE, XCB_NONE);
    }
    const double shown = nowMs() - start;

    const timespec settle{settleMs / 1000, long(settleMs % 1000) * 1000000L};
    nanosleep(&settle, nullptr);
    const long rss = residentKiB(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(c);
    std::printf("%.1f %ld\n", shown, rss);
    return 0;
}
