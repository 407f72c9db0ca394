// LoadSettings and SaveSettings through the platform's profile functions.
#include <windows.h>

#include <string>

#include "settings/settings.h"
#include "settings/settings_text.h"

SaverSettingsRecord SaverSettings;
std::wstring ModuleDirectory;

namespace {

constexpr wchar_t Section[] = L"settei";
constexpr wchar_t FileName[] = L"pok_v3.ini";

// Without the executable's own folder there is no file of ours: a bare file
// name would send the profile functions to the Windows folder.
std::wstring SettingsPath() { return ModuleDirectory.empty() ? std::wstring() : ModuleDirectory + FileName; }

std::uint32_t ReadKey(const wchar_t* key, std::uint32_t fallback, const std::wstring& path) {
    if (path.empty()) return fallback;
    return GetPrivateProfileIntW(Section, key, static_cast<INT>(fallback), path.c_str());
}

bool WriteKey(const wchar_t* key, const DecimalText& value, const std::wstring& path) {
    if (path.empty()) return false;
    return WritePrivateProfileStringW(Section, key, value.text, path.c_str()) != FALSE;
}

}  // namespace

const std::wstring& FindModuleDirectory() {
    const std::wstring path = WholePath([](wchar_t* buffer, std::uint32_t size) -> std::uint32_t {
        return GetModuleFileNameW(GetModuleHandleW(nullptr), buffer, size);
    });
    ModuleDirectory = path.substr(0, DirectoryLength(path));
    return ModuleDirectory;
}

void LoadSettings() {
    FindModuleDirectory();
    const std::wstring path = SettingsPath();
    SaverSettings.BgColor = static_cast<std::int32_t>(ReadKey(L"BgColor", static_cast<std::uint32_t>(DefaultBgColor), path));
    SaverSettings.hiki = ReadKey(L"hiki", DefaultHiki, path);
    SaverSettings.dx0 = ReadKey(L"dx0", DefaultDx0, path);
    SaverSettings.dy0 = ReadKey(L"dy0", DefaultDy0, path);
    SaverSettings.weight = ReadKey(L"weight", DefaultWeight, path);
}

bool SaveSettings() {
    const std::wstring path = SettingsPath();
    // Every key is written even after a failure, so one bad write loses no more than it must.
    bool allWritten = WriteKey(L"BgColor", SignedDecimal(SaverSettings.BgColor), path);
    allWritten &= WriteKey(L"hiki", UnsignedDecimal(SaverSettings.hiki), path);
    allWritten &= WriteKey(L"dx0", UnsignedDecimal(SaverSettings.dx0), path);
    allWritten &= WriteKey(L"dy0", UnsignedDecimal(SaverSettings.dy0), path);
    allWritten &= WriteKey(L"weight", UnsignedDecimal(SaverSettings.weight), path);
    return allWritten;
}
