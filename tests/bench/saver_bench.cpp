// Measures the saver run as it is shipped (a benchmark, not a test): run in
// the test bed on a 1920 x 1080 desktop by tests/bench/run.
//   saver_bench SAMPLE_SCRIPT XFRAMES_TOOL
// For speeds 25 and 200 with ten dogs: the frame period that reaches the
// screen against the frame count, and the CPU use; then the time from real
// input to the end of the process, for a key, Escape, a click and a move.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"

namespace {

using driver::Process;

// Standard output is a pipe here: every line goes out at once.
void Say(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

// Unix time in nanoseconds: Wine's system clock is the host's, so this can be
// set against `date +%s%N` taken on the host around the input.
long long UnixNanoseconds() {
    using Precise = void(WINAPI*)(FILETIME*);
    static const auto precise = reinterpret_cast<Precise>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME now;
    if (precise) precise(&now); else GetSystemTimeAsFileTime(&now);
    const long long ticks = (static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (ticks - 116444736000000000LL) * 100;
}

// Waits while serving this process's messages: a Wine program that stops
// answering can hold up the next saver's start.
void Pause(DWORD milliseconds) { driver::WaitUntil([] { return false; }, milliseconds); }

std::string HostFile(const std::string& name) {
    return "/tmp/pok-bench-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}
std::string WindowsPath(const std::string& hostPath) {
    std::string path = "Z:" + hostPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

struct Saver {
    driver::TempFolder folder{"bench"};
    std::string scr = folder.file("pok_v3.scr");
    Saver() { driver::CopyInto(driver::BuiltScr(), scr); }
    void settings(int weight) const {
        driver::WriteFile(folder.file("pok_v3.ini"), "[settei]\r\nhiki=9\r\ndx0=8\r\ndy0=5\r\nweight=" +
                                                         std::to_string(weight) + "\r\n");
    }
    // Starts a saver and waits for its window in our desktop. Under Wine a
    // start right after another saver ended has been seen to land on the
    // prefix's hidden "Default" desktop instead; such a start is ended and
    // made again.
    Process start() const {
        for (int attempt = 1;; ++attempt) {
            GetAsyncKeyState(VK_ESCAPE);
            Process process = driver::Start(scr, "\"" + scr + "\" /s");
            if (driver::WaitWindow(process.id(), L"NORMALDLG", L"Saver", 15000) || attempt == 3)
                return process;
            Say("(a saver's window did not appear in the desktop; starting it again)\n");
            process.kill();
            Pause(2000);
        }
    }
};

bool ScreenIsBackground() {
    const driver::Pixels pixels = driver::GrabScreen({0, 0, 64, 64});
    return !pixels.data.empty() && pixels.data.front() == RGB(0x80, 0xFF, 0xFF) &&
           pixels.data.back() == RGB(0x80, 0xFF, 0xFF);
}

// What one polling step of the saver costs on this machine now, measured in
// this process with the same calls (1000 steps).
double StepMilliseconds() {
    timeBeginPeriod(1);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < 1000; ++i) {
        POINT a, b;
        GetCursorPos(&a);
        Sleep(1);
        GetCursorPos(&b);
        GetAsyncKeyState(VK_ESCAPE);
        GetInputState();
    }
    QueryPerformanceCounter(&end);
    timeEndPeriod(1);
    return (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart / 1000;
}

struct Latency {
    double fromBefore, fromAfter;  // ms from the start / the end of the input command
    int inputs;                    // inputs sent until one was seen
};

// Sends the input (pressCommand; releaseCommand) until the process ends or
// the attempts run out; fromAfter < 0 can happen: the end came before the
// host's clock was read after the press.
bool InputToEnd(Process& saver, const std::string& pressCommand, const std::string& releaseCommand,
                int maxInputs, Latency& latency) {
    const std::string before = HostFile("before"), after = HostFile("after");
    for (latency.inputs = 1; latency.inputs <= maxInputs; ++latency.inputs) {
        driver::RunHost("date +%s%N > " + before + "; " + pressCommand + "; date +%s%N > " + after, 10000);
        const bool ended = saver.waitExit(1000).ended;
        if (!releaseCommand.empty()) driver::RunHost(releaseCommand, 10000);
        if (ended) {
            // The exit time of the process itself, as the system recorded it.
            FILETIME created, exited, kernel, user;
            GetProcessTimes(saver.handle(), &created, &exited, &kernel, &user);
            const long long exitedAt =
                ((static_cast<long long>(exited.dwHighDateTime) << 32 | exited.dwLowDateTime) -
                 116444736000000000LL) * 100;
            const long long end = exitedAt > 0 ? exitedAt : UnixNanoseconds();
            latency.fromBefore = (end - std::atoll(driver::ReadFile(WindowsPath(before)).c_str())) / 1e6;
            latency.fromAfter = (end - std::atoll(driver::ReadFile(WindowsPath(after)).c_str())) / 1e6;
            return true;
        }
        Pause(200);  // unseen (a move between two polling steps): let Wine's cursor cache lapse
    }
    saver.kill();
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: saver_bench SAMPLE_SCRIPT XFRAMES_TOOL\n");
        return 2;
    }
    const std::string sample = argv[1], xframes = argv[2];
    const std::string tools = std::getenv("TESTBED_TOOLS") ? std::getenv("TESTBED_TOOLS") : "";
    Say("desktop %d x %d, ten dogs, dx0 8, dy0 5; load average %s", GetSystemMetrics(SM_CXSCREEN),
        GetSystemMetrics(SM_CYSCREEN), driver::ReadFile("Z:\\proc\\loadavg").c_str());
    Saver saver;

    for (int weight : {25, 200}) {
        saver.settings(weight);
        Process run = saver.start();
        Pause(13000);  // past the intro: the dogs hop
        const std::string out = HostFile("sample");
        std::string measured;
        for (int attempt = 0; attempt < 3 && measured.empty(); ++attempt) {
            driver::WriteFile(WindowsPath(out), "");
            const int status = driver::RunHost("'" + sample + "' '" + xframes + "' 8 > " + out, 60000);
            measured = driver::ReadFile(WindowsPath(out));
            if (measured.empty()) Say("(sampling gave nothing, status %d; again)\n", status);
        }
        Say("weight %3d, FrameCount %3d: %s", weight, 205 - weight, measured.c_str());
        Latency latency = {};
        if (InputToEnd(run, "xdotool keydown a", "xdotool keyup a", 1, latency))
            Say("weight %3d: a key while ten dogs hop ended it %.1f ms after the press began (%.1f after it returned)\n",
                weight, latency.fromBefore, latency.fromAfter);
        else
            Say("weight %3d: a key did not end it\n", weight);
    }

    if (std::getenv("BENCH_FRAMES_ONLY")) return 0;
    // Input to end during the intro's first pause, where the saver only polls.
    saver.settings(200);
    const struct {
        const char* what;
        std::string press, release;
    } inputs[] = {
        {"key a", "xdotool keydown a", "xdotool keyup a"},
        {"Escape", "xdotool keydown Escape", "xdotool keyup Escape"},
        {"left button", "xdotool mousedown 1", "xdotool mouseup 1"},
        {"2-pixel move", "'" + tools + "/xwarp' +2 +0", ""},
    };
    for (const auto& input : inputs) {
        std::vector<double> fromAfter, fromBefore;
        int unseen = 0, failed = 0;
        for (int i = 0; i < 8; ++i) {
            Process run = saver.start();
            driver::WaitUntil(ScreenIsBackground, 20000);
            Pause(300);  // the pointer events of the window's appearance have settled
            Latency latency = {};
            if (InputToEnd(run, input.press, input.release, 6, latency)) {
                fromAfter.push_back(latency.fromAfter);
                fromBefore.push_back(latency.fromBefore);
                unseen += latency.inputs - 1;
            } else {
                ++failed;
            }
        }
        std::sort(fromAfter.begin(), fromAfter.end());
        std::sort(fromBefore.begin(), fromBefore.end());
        if (fromAfter.empty()) {
            Say("%-12s never ended the saver\n", input.what);
            continue;
        }
        Say("%-12s n %zu  end after input returned: median %.1f max %.1f ms; after input began: median %.1f max %.1f ms;"
            " inputs not seen %d, runs not ended %d\n",
            input.what, fromAfter.size(), fromAfter[fromAfter.size() / 2], fromAfter.back(),
            fromBefore[fromBefore.size() / 2], fromBefore.back(), unseen, failed);
    }
    Say("one polling step (two cursor reads, Sleep(1), two input polls) costs %.3f ms here\n",
        StepMilliseconds());
    return 0;
}
