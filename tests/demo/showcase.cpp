// Shows the product to someone without a screen: runs each mode in the
// desktop and leaves screenshots in the folder given (a Linux path).
//   showcase OUTDIR
#include <windows.h>

#include <cstdio>
#include <string>

#include "driver.h"

namespace {

constexpr DWORD WindowWait = 15000;

bool Screenshot(const std::string& outDir, const std::string& name) {
    const std::string file = outDir + "/" + name + ".png";
    const bool taken = driver::RunHost("import -window root '" + file + "'", 30000) == 0;
    std::printf("%s %s\n", taken ? "wrote" : "could not write", file.c_str());
    return taken;
}

// Lets the picture settle: a showcase, not a test, may simply wait.
void Settle(DWORD milliseconds) { driver::WaitUntil([] { return false; }, milliseconds); }

void ShowSaver(const std::string& scr, const std::string& outDir) {
    driver::Process saver = driver::Start(scr, "\"" + scr + "\" /s");
    HWND window = driver::WaitWindow(saver.id(), L"NORMALDLG", L"Saver", WindowWait);
    if (!window) return;
    Settle(1500);
    Screenshot(outDir, "saver");
    driver::XKey("Escape");
    if (!saver.waitExit(5000).ended) driver::PostClose(window);
    saver.waitExit(5000);
}

void ShowSettings(const std::string& scr, const std::string& outDir) {
    driver::Process settings = driver::Start(scr, "\"" + scr + "\" /c");
    HWND window = driver::WaitWindow(settings.id(), L"NORMALDLG", L"", WindowWait);
    if (!window) return;
    Settle(500);
    Screenshot(outDir, "settings");
    driver::PostClose(window);
    settings.waitExit(5000);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: showcase OUTDIR\n");
        return 2;
    }
    const std::string outDir = argv[1];
    const std::string scr = driver::BuiltScr();
    ShowSaver(scr, outDir);
    ShowSettings(scr, outDir);
    return 0;
}
