// LoadSettings and SaveSettings through the platform's profile functions.
#include <windows.h>

#include <cstring>
#include <string>

#include "settings/settings.h"
#include "settings/settings_text.h"

SaverSettingsRecord SaverSettings;
char ModuleDirectory[260];

namespace {

constexpr char Section[] = "settei";
constexpr char FileName[] = "pok_v3.ini";

bool IsLeadByte(char byte) { return IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE; }

std::string SettingsPath() { return std::string(ModuleDirectory) + FileName; }

std::uint32_t ReadKey(const char* key, std::uint32_t fallback, const std::string& path) {
    return GetPrivateProfileIntA(Section, key, static_cast<INT>(fallback), path.c_str());
}

bool WriteKey(const char* key, const DecimalText& value, const std::string& path) {
    return WritePrivateProfileStringA(Section, key, value.text, path.c_str()) != FALSE;
}

}  // namespace

const char* FindModuleDirectory() {
    char path[sizeof ModuleDirectory] = {};
    GetModuleFileNameA(GetModuleHandleA(nullptr), path, sizeof path);
    path[sizeof path - 1] = '\0';
    std::memset(ModuleDirectory, 0, sizeof ModuleDirectory);
    std::memcpy(ModuleDirectory, path, DirectoryLength(path, IsLeadByte));
    return ModuleDirectory;
}

void LoadSettings() {
    FindModuleDirectory();
    const std::string path = SettingsPath();
    SaverSettings.BgColor = static_cast<std::int32_t>(ReadKey("BgColor", static_cast<std::uint32_t>(DefaultBgColor), path));
    SaverSettings.hiki = ReadKey("hiki", DefaultHiki, path);
    SaverSettings.dx0 = ReadKey("dx0", DefaultDx0, path);
    SaverSettings.dy0 = ReadKey("dy0", DefaultDy0, path);
    SaverSettings.weight = ReadKey("weight", DefaultWeight, path);
}

bool SaveSettings() {
    const std::string path = SettingsPath();
    // Every key is written even after a failure, so one bad write loses no more than it must.
    bool allWritten = WriteKey("BgColor", SignedDecimal(SaverSettings.BgColor), path);
    allWritten &= WriteKey("hiki", UnsignedDecimal(SaverSettings.hiki), path);
    allWritten &= WriteKey("dx0", UnsignedDecimal(SaverSettings.dx0), path);
    allWritten &= WriteKey("dy0", UnsignedDecimal(SaverSettings.dy0), path);
    allWritten &= WriteKey("weight", UnsignedDecimal(SaverSettings.weight), path);
    return allWritten;
}
