// Runs the settings store as the product does, from wherever it is copied:
//   settings_probe load                  prints the five values and the directory (UTF-8)
//   settings_probe save B h dx dy w      stores these values with SaveSettings
//   settings_probe loadsave              loads, then saves what was loaded
#include <windows.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver.h"
#include "settings/settings.h"

namespace {

std::uint32_t Unsigned(const char* text) { return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)); }

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc >= 2 ? argv[1] : "";
    if (command == "load" || command == "loadsave") {
        LoadSettings();
    } else if (command == "save" && argc == 7) {
        FindModuleDirectory();
        SaverSettings.BgColor = static_cast<std::int32_t>(std::strtol(argv[2], nullptr, 10));
        SaverSettings.hiki = Unsigned(argv[3]);
        SaverSettings.dx0 = Unsigned(argv[4]);
        SaverSettings.dy0 = Unsigned(argv[5]);
        SaverSettings.weight = Unsigned(argv[6]);
    } else {
        std::fprintf(stderr, "usage: settings_probe load | loadsave | save B h dx dy w\n");
        return 2;
    }
    if (command == "load")
        std::printf("BgColor=%" PRId32 " hiki=%" PRIu32 " dx0=%" PRIu32 " dy0=%" PRIu32 " weight=%" PRIu32 "\ndir=%s\n",
                    SaverSettings.BgColor, SaverSettings.hiki, SaverSettings.dx0, SaverSettings.dy0,
                    SaverSettings.weight, driver::Utf8(ModuleDirectory).c_str());  // UTF-8 whatever the code page
    else
        std::printf("saved=%d\n", SaveSettings() ? 1 : 0);
    return 0;
}
