// Measures the saver as it is shipped (a benchmark: it decides nothing), from
// inside the test bed's desktop, at the desktop's size.
//   saver_bench RESULTS TOOLS DESKTOP [--latency RUNS] [--startup RUNS]
// RESULTS is the Linux path of the file the measurements are appended to,
// one record a line, for tools/bench/run to put in its table; TOOLS is the
// Linux folder of the host tools (xframes, input_to_end, sample); DESKTOP
// names the bed in the records ("WxH+WxH" for monitors, "WxH@DPI" at a scale).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"
#include "tools/bench/stats.h"
#include "tools/bench/host_clock.h"

namespace {

using driver::Process;

constexpr const char* BackgroundHex = "80ffff";  // driver::DefaultBackground as X sees it
constexpr int SampleSeconds = 6;

using driver::WindowsPath;

// A Linux path in the bed's scratch folder, with no file there yet.
std::string ScratchFile(const std::string& name) {
    const std::string path = driver::ScratchFile("bench-" + name);
    DeleteFileA(WindowsPath(path).c_str());
    return path;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}

bool ShowsWindow(const Process& saver) { return saver.started() && saver.window(driver::SaverTitle); }

bool ScreenIsBackground() { return driver::WaitPixels(driver::WholeScreen(), driver::DefaultBackground, 0); }

// The value after `name` in a line of name-value pairs; "" if absent.
std::string Field(const std::string& line, const std::string& name) {
    std::istringstream words(line);
    for (std::string word, value; words >> word;)
        if (word == name) return words >> value ? value : "";
    return "";
}

class Bench {
public:
    Bench(const std::string& results, std::string tools, std::string desktop)
        : results_(WindowsPath(results)), tools_(std::move(tools)), size_(std::move(desktop)) {}

    void frameCost() {
        std::printf("frame cost (compose and present against two plain copies)\n");
        const std::string tool = driver::ModuleDirectory() + "frame_cost.exe";
        const driver::Captured run = driver::RunCapture(
            tool, driver::Quoted(tool) + " " + driver::Quoted(scr_.path()) + " " + driver::Quoted(size_), 180000);
        std::istringstream lines(run.output);
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("cost ", 0) == 0) record("%s", Trimmed(line).c_str());
        if (!run.ended || run.code != 0) std::printf("  (frame_cost did not finish cleanly: %s)\n", run.output.c_str());
    }

    // One saver run per combination, sampled once the dogs hop.
    void frames() {
        for (int dogs : {1, 10})
            for (int weight : {25, 200}) {
                const int frameCount = 205 - weight;
                settings(dogs, weight);
                Process run = startSaver();
                if (!run.started()) {
                    std::printf("  no saver started for %d dogs at speed %d\n", dogs, weight);
                    continue;
                }
                // The intro: two clock waits of at most 2 and 4 s, then 24
                // frame waits of the title's and the dogs' reveals.
                driver::Pause(static_cast<DWORD>(7500 + 26 * (frameCount * 1.1 + 10)));
                std::string measured;
                const std::string sample = tool("sample") + " " + tool("xframes") + " " + std::to_string(SampleSeconds);
                for (int attempt = 0; attempt < 3 && Field(measured, "frames").empty(); ++attempt)
                    measured = host(sample, 60000, SampleSeconds * 1000);
                PROCESS_MEMORY_COUNTERS memory = {};
                memory.cb = sizeof memory;
                GetProcessMemoryInfo(run.handle(), &memory, sizeof memory);
                const std::string ended = host(inputToEnd("key:a 2000"), 10000);
                const bool stillRunning = !run.waitExit(5000).ended;
                record("frames %s dogs %d weight %d framecount %d %s win_peak_kb %lu hop_key_ms %s", size_.c_str(),
                       dogs, weight, frameCount, measured.empty() ? "frames 0" : measured.c_str(),
                       static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024),
                       Field(ended, "ended").empty() ? "-" : Field(ended, "ended").c_str());
                if (stillRunning) std::printf("  (the key did not end it; ended by force)\n");
            }
    }

    // From the process's start to the first moment the whole screen shows
    // the background colour, as the X server saw it drawn.
    void startup(int runs) {
        std::printf("start-up, %d runs\n", runs);
        settings(3, 25);
        std::vector<double> ms;
        int failed = 0;
        for (int attempt = 0; static_cast<int>(ms.size()) < runs && attempt < 2 * runs; ++attempt) {
            // The previous saver's picture must be gone, or it could be taken
            // for the new one's.
            driver::WaitUntil([] { return !ScreenIsBackground(); }, 5000);
            const std::string ready = ScratchFile("ready"), out = ScratchFile("first");
            const driver::HostJob watcher =
                driver::StartHost(tool("xframes") + " --first " + BackgroundHex + " 12 " + ready + " > " + out);
            if (!driver::WaitUntil([&] { return driver::FileExists(WindowsPath(ready)); }, 10000)) {
                ++failed;
                continue;
            }
            const long long started = UnixNanoseconds();
            Process run = scr_.start("/s");
            const bool shown = ShowsWindow(run);
            driver::WaitHost(watcher, 20000);
            const std::string first = Field(driver::ReadFile(WindowsPath(out)), "first_frame_unix_ns");
            if (shown && !first.empty())
                ms.push_back((std::atoll(first.c_str()) - started) / 1e6);
            else
                ++failed;
            if (shown) host(inputToEnd("key:a 2000"), 10000);
            if (!run.waitExit(3000).ended) run.kill();
        }
        record("startup %s n %zu median_ms %.1f p95_ms %.1f min_ms %.1f max_ms %.1f failed %d", size_.c_str(),
               ms.size(), bench::Median(ms), bench::Percentile(ms, 95),
               ms.empty() ? 0.0 : *std::min_element(ms.begin(), ms.end()), bench::Percentile(ms, 100), failed);
    }

    // From real input to the end of the process, in the intro's first
    // pause: the saver only waits there, so this is the wait's own delay.
    // With several monitors the pointer rests on the one right of the primary.
    void latency(int runs) {
        settings(3, 25);
        if (GetSystemMetrics(SM_CMONITORS) > 1) driver::XMovePointer(GetSystemMetrics(SM_CXSCREEN) + 100, 100);
        const struct { const char *name, *input; } kinds[] = {
            {"move", "move:2"}, {"key", "key:a"}, {"escape", "key:Escape"}, {"click", "button:1"}};
        for (const auto& kind : kinds) {
            std::printf("%s to end, %d runs\n", kind.name, runs);
            std::vector<double> ms;
            int unseen = 0, failed = 0;
            for (int i = 0; i < runs; ++i) {
                Process run = startSaver();
                if (!run.started() || !driver::WaitUntil(ScreenIsBackground, 10000)) {
                    ++failed;
                    continue;
                }
                driver::Pause(300);  // the pointer events of the window's appearance have settled
                std::string ended;
                for (int attempt = 0; attempt < 6 && ended.empty(); ++attempt) {
                    ended = Field(host(inputToEnd(std::string(kind.input) + " 1000"), 10000), "ended");
                    if (ended.empty()) {
                        ++unseen;
                        driver::Pause(150);  // a move the saver did not see: let Wine's cursor cache lapse
                    }
                }
                if (run.waitExit(3000).ended && !ended.empty())
                    ms.push_back(std::atof(ended.c_str()));
                else
                    ++failed;
            }
            record("latency %s %s n %zu median_ms %.2f p95_ms %.2f max_ms %.2f unseen %d failed %d", size_.c_str(),
                   kind.name, ms.size(), bench::Median(ms), bench::Percentile(ms, 95), bench::Percentile(ms, 100),
                   unseen, failed);
        }
    }

    // What the platform adds to every end: a program that ends itself the
    // saver's way, from the moment it noted to the moment it is gone.
    void platformEnd(int runs) {
        std::printf("platform's own end, %d runs\n", runs);
        const std::string probe = driver::ModuleDirectory() + "exit_probe.exe";
        std::vector<double> ms;
        int failed = 0;
        for (int i = 0; i < runs; ++i) {
            const std::string stamp = ScratchFile("stamp");
            Process run = driver::Start(probe, driver::Quoted(probe) + " " + WindowsPath(stamp));
            const std::string ended = Field(host(inputToEnd("none 5000", "exit_probe.exe"), 10000), "unix_ns");
            const std::string noted = Trimmed(driver::ReadFile(WindowsPath(stamp)));
            if (!ended.empty() && !noted.empty())
                ms.push_back((std::atoll(ended.c_str()) - std::atoll(noted.c_str())) / 1e6);
            else
                ++failed;
            if (!run.waitExit(5000).ended) run.kill();
        }
        record("latency %s platform_end n %zu median_ms %.2f p95_ms %.2f max_ms %.2f unseen 0 failed %d",
               size_.c_str(), ms.size(), bench::Median(ms), bench::Percentile(ms, 95), bench::Percentile(ms, 100),
               failed);
    }

private:
    // One record, appended to the results file and shown.
    void record(const char* format, ...) const {
        char line[1024];
        va_list args;
        va_start(args, format);
        std::vsnprintf(line, sizeof line, format, args);
        va_end(args);
        if (FILE* file = std::fopen(results_.c_str(), "ab")) {
            std::fprintf(file, "%s\n", line);
            std::fclose(file);
        }
        std::printf("  %s\n", line);
    }

    void settings(int dogs, int weight) const {
        scr_.writeIni(driver::SettingsFile(driver::DefaultBackground, dogs - 1, 8, 5, weight));
    }
    // A saver that showed its window; not started() if none did.
    Process startSaver() const {
        Process saver = scr_.start("/s");
        if (!ShowsWindow(saver)) saver.kill();
        return saver;
    }

    std::string tool(const char* name) const { return driver::ShellQuoted(tools_ + "/" + name); }
    // input_to_end on the one process of this bed whose program is `program`.
    std::string inputToEnd(const std::string& arguments, const char* program = "pok_v3.scr") const {
        return tool("input_to_end") + " \"$(" + tool("sample") + " --pid " + program + ")\" " + arguments;
    }

    // Runs a host command whose standard output goes to a scratch file; its
    // output. Asleep for quietMs first: the waits that watch for its end
    // ask the wineserver a hundred times a second, which a sample of the
    // wineserver's CPU would count.
    std::string host(const std::string& command, DWORD timeoutMs, DWORD quietMs = 0) {
        const std::string out = ScratchFile("out");
        const driver::HostJob job = driver::StartHost(command + " > " + out);
        Sleep(quietMs);
        driver::WaitHost(job, timeoutMs);
        return Trimmed(driver::ReadFile(WindowsPath(out)));
    }

    std::string results_, tools_, size_;  // results_: Windows path of the file
    driver::ScrCopy scr_{"bench"};
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: saver_bench RESULTS TOOLS DESKTOP [--latency RUNS] [--startup RUNS]\n");
        return 2;
    }
    // Standard output is a pipe here: every line goes out at once.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    int latencyRuns = 0, startupRuns = 0;
    for (int i = 4; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--latency") latencyRuns = std::atoi(argv[i + 1]);
        if (std::string(argv[i]) == "--startup") startupRuns = std::atoi(argv[i + 1]);
    }
    Bench bench(argv[1], argv[2], argv[3]);
    std::printf("desktop %d x %d; load average %s", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
        driver::ReadFile("Z:\\proc\\loadavg").c_str());
    // BENCH_ONLY: the parts to run, such as "frames,latency".
    const std::string only = std::getenv("BENCH_ONLY") ? "," + std::string(std::getenv("BENCH_ONLY")) + "," : "";
    const auto wanted = [&only](const char* part) {
        return only.empty() || only.find("," + std::string(part) + ",") != std::string::npos;
    };
    if (wanted("cost")) bench.frameCost();
    if (wanted("frames")) bench.frames();
    if (wanted("startup") && startupRuns > 0) bench.startup(startupRuns);
    if (wanted("latency") && latencyRuns > 0) {
        bench.latency(latencyRuns);
        bench.platformEnd(latencyRuns);
    }
    return 0;
}
