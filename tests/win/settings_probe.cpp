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

int main(int argc, char** argv) {
    const std::string command = argc >= 2 ? argv[1] : "";
    if (command == "load" || command == "loadsave") {
        LoadSettings();
    } else if (command == "save" && argc == 7) {
        FindModuleDirectory();
        SaverSettings.BgColor = std::strtol(argv[2], nullptr, 10);
        SaverSettings.hiki = std::strtoul(argv[3], nullptr, 10);
        SaverSettings.dx0 = std::strtoul(argv[4], nullptr, 10);
        SaverSettings.dy0 = std::strtoul(argv[5], nullptr, 10);
        SaverSettings.weight = std::strtoul(argv[6], nullptr, 10);
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
