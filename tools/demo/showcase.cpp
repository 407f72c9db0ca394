// Shows the product to a person, with or without a screen.
//   showcase OUTDIR        records a whole saver run as an animated GIF and
//                          takes screenshots of the settings window and the
//                          preview, into OUTDIR (a Linux path)
//   showcase --live MODE   runs saver, settings or preview on the display
//                          and waits until the person ends it
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver.h"

namespace {

using driver::ShellQuoted;

std::string DesktopHandle() { return std::to_string(reinterpret_cast<UINT_PTR>(GetDesktopWindow())); }

void Crop(const std::string& file, const RECT& area) {
    const std::string geometry = std::to_string(area.right - area.left) + "x" +
                                 std::to_string(area.bottom - area.top) + "+" +
                                 std::to_string(area.left) + "+" + std::to_string(area.top);
    const bool taken = driver::RunHost("import -window root -crop " + geometry + " +repage " +
                                           ShellQuoted(file), 30000) == 0;
    std::printf("%s %s\n", taken ? "wrote" : "could not write", file.c_str());
}

// The whole run, from the plain background through the title and the dogs'
// reveal to several hops, recorded at its real pace and turned into a GIF.
void RecordSaver(const std::string& scr, const std::string& outDir) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const char* display = std::getenv("DISPLAY");
    const std::string video = outDir + "/saver.mkv", pidFile = outDir + "/recorder.pid";
    driver::RunHost("nohup ffmpeg -y -loglevel error -f x11grab -framerate 20 -video_size " +
                        std::to_string(width) + "x" + std::to_string(height) + " -i " +
                        ShellQuoted(display ? display : ":0") + " -c:v ffv1 " + ShellQuoted(video) +
                        " >/dev/null 2>&1 & echo $! > " + ShellQuoted(pidFile),
                    10000);
    driver::Pause(500);

    driver::Process saver = driver::Start(scr, driver::Quoted(scr) + " /s");
    saver.window(driver::SaverTitle);
    driver::Pause(16000);  // intro (about ten seconds at the default speed) and several hops

    driver::RunHost("kill -INT $(cat " + ShellQuoted(pidFile) + "); while kill -0 $(cat " + ShellQuoted(pidFile) +
                        ") 2>/dev/null; do sleep 0.1; done; rm -f " + ShellQuoted(pidFile),
                    30000);
    driver::XKey("Escape");
    if (!saver.waitExit(5000).ended) saver.kill();

    const std::string gif = outDir + "/saver.gif";
    const bool made =
        driver::RunHost("ffmpeg -y -loglevel error -i " + ShellQuoted(video) +
                            " -vf 'fps=10,scale=512:-1:flags=lanczos,split[a][b];"
                            "[a]palettegen=max_colors=128[p];[b][p]paletteuse=dither=none' " +
                            ShellQuoted(gif) + " && rm -f " + ShellQuoted(video),
                        120000) == 0;
    std::printf("%s %s\n", made ? "wrote" : "could not write", gif.c_str());
}

// A window of the .scr started with these arguments, cropped from the screen
// into file once it has settled: where the window stands, or `area` if given.
void Shoot(const std::string& scr, const std::string& arguments, const std::string& file,
           const RECT* area = nullptr) {
    driver::Process process = driver::Start(scr, driver::Quoted(scr) + " " + arguments);
    HWND window = process.window(L"");
    if (!window) return;
    driver::Pause(800);
    Crop(file, area ? *area : driver::Inspect(window).rect);
    driver::PostClose(window);
    if (!process.waitExit(5000).ended) process.kill();
}

int Live(const std::string& scr, const std::string& mode) {
    if (mode != "saver" && mode != "settings" && mode != "preview") return 2;
    const std::string arguments = mode == "saver" ? "/s" : mode == "settings" ? "/c" : "/p " + DesktopHandle();
    driver::Process process = driver::Start(scr, driver::Quoted(scr) + " " + arguments);
    // A person's session: it lasts as long as they like.
    while (process.running()) process.waitExit(60000);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string scr = driver::BuiltScr();
    if (argc == 3 && std::strcmp(argv[1], "--live") == 0) return Live(scr, argv[2]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: showcase OUTDIR | showcase --live saver|settings|preview\n");
        return 2;
    }
    RecordSaver(scr, argv[1]);
    const std::string outDir = argv[1];
    Shoot(scr, "/c", outDir + "/settings.png");
    // A preview drawn into another process's window never reaches the screen
    // under Wine, so the desktop itself is the host here.
    const RECT corner = {0, 0, 200, 150};
    Shoot(scr, "/p " + DesktopHandle(), outDir + "/preview.png", &corner);
    return 0;
}
