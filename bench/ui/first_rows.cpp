// vek32 started as a user starts it, measured from outside: the time from the start of the
// process to the first painted rows of the register tree, seen on the X screen, and the peak
// resident memory once the window is idle.
//   bench_first_rows VEK32 FILE [RUNS]
// Runs under an X server (xvfb-run); bench/ui/first_rows.sh gives it the generated description.
// The tree's rows are seen by the colour of its selection (the first row is selected when the
// tree opens), drawn nowhere else on the screen.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The tree's selection colour, 0xRRGGBB, and how many pixels of it make a painted row.
constexpr std::uint32_t kSelectionColour = 0x000080;
constexpr int kRowPixels = 1000;
constexpr auto kPollInterval = std::chrono::milliseconds(5);
// The window is idle when the process used no processor time for this long.
constexpr auto kIdleTime = std::chrono::milliseconds(500);
constexpr auto kGiveUp = std::chrono::seconds(120);

struct Screen {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

bool OpenScreen(Screen& screen) {
    int number = 0;
    screen.connection = xcb_connect(nullptr, &number);
    if (xcb_connection_has_error(screen.connection))
        return false;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(screen.connection));
    for (int i = 0; i < number; ++i)
        xcb_screen_next(&it);
    if (it.rem == 0 || it.data->root_depth != 24)
        return false;
    screen.root = it.data->root;
    screen.width = it.data->width_in_pixels;
    screen.height = it.data->height_in_pixels;
    return true;
}

// Pixels of the selection colour on the screen now; -1 when the screen cannot be read.
long SelectionPixels(const Screen& screen) {
    const xcb_get_image_cookie_t cookie =
        xcb_get_image(screen.connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen.root, 0, 0, screen.width,
                      screen.height, ~0u);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
        xcb_get_image_reply(screen.connection, cookie, nullptr), &std::free);
    if (!reply)
        return -1;
    // Depth 24 comes as 32 bits a pixel, blue in the lowest byte.
    const int bytes = xcb_get_image_data_length(reply.get());
    const std::uint8_t* data = xcb_get_image_data(reply.get());
    long count = 0;
    for (int i = 0; i + 3 < bytes; i += 4) {
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, data + i, sizeof pixel);
        count += (pixel & 0xFFFFFF) == kSelectionColour ? 1 : 0;
    }
    return count;
}

// A field of /proc/PID/status, in kilobytes.
long StatusKilobytes(pid_t pid, const std::string& key) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0)
            return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
    }
    return -1;
}

// The processor time the process used so far (user and system), in clock ticks.
long CpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the command, which is in parentheses and may hold blanks.
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long utime = 0;
    long stime = 0;
    for (int k = 3; fields >> field; ++k) {
        if (k == 14)
            utime = std::strtol(field.c_str(), nullptr, 10);
        if (k == 15) {
            stime = std::strtol(field.c_str(), nullptr, 10);
            break;
        }
    }
    return utime + stime;
}

struct Run {
    double firstRowsSeconds = -1;
    long peakKilobytes = -1;
};

bool MeasureOnce(const Screen& screen, const char* vek32, const char* file, Run& run) {
    if (SelectionPixels(screen) >= kRowPixels) {
        std::fprintf(stderr, "bench_first_rows: the screen shows rows before vek32 starts\n");
        return false;
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        ::execl(vek32, vek32, file, static_cast<char*>(nullptr));
        std::perror(vek32);
        ::_exit(127);
    }
    bool ok = false;
    while (Clock::now() - start < kGiveUp) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "bench_first_rows: vek32 ended before it showed the tree\n");
            return false;
        }
        if (SelectionPixels(screen) >= kRowPixels) {
            run.firstRowsSeconds = std::chrono::duration<double>(Clock::now() - start).count();
            ok = true;
            break;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    // The peak once the window is idle: the constants, the values and the rest are in place.
    long ticks = CpuTicks(pid);
    Clock::time_point still = Clock::now();
    while (ok && Clock::now() - start < kGiveUp && Clock::now() - still < kIdleTime) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const long now = CpuTicks(pid);
        if (now != ticks) {
            ticks = now;
            still = Clock::now();
        }
    }
    run.peakKilobytes = StatusKilobytes(pid, "VmHWM");
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    // Until the window is gone from the screen.
    while (SelectionPixels(screen) >= kRowPixels && Clock::now() - start < kGiveUp)
        std::this_thread::sleep_for(kPollInterval);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fputs("usage: bench_first_rows VEK32 FILE [RUNS]\n", stderr);
        return 2;
    }
    const int runs = argc == 4 ? std::atoi(argv[3]) : 3;
    Screen screen;
    if (!OpenScreen(screen)) {
        std::fputs("bench_first_rows: no X screen of depth 24 (run it under xvfb-run)\n", stderr);
        return 2;
    }
    std::printf("run  first rows (s)  peak memory (MB)\n");
    for (int i = 1; i <= runs; ++i) {
        Run run;
        if (!MeasureOnce(screen, argv[1], argv[2], run))
            return 1;
        std::printf("%3d  %14.3f  %16.1f\n", i, run.firstRowsSeconds, run.peakKilobytes / 1024.0);
        std::fflush(stdout);
    }
    xcb_disconnect(screen.connection);
    return 0;
}
