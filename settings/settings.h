// The five settings and the INI file beside the executable.
#pragma once

#include <cstdint>
#include <string>

struct SaverSettingsRecord {
    std::int32_t BgColor;   // COLORREF 0x00BBGGRR
    std::uint32_t dx0;      // sideways step per frame, pixels
    std::uint32_t dy0;      // hop height, pixels
    std::uint32_t weight;   // speed 0..200 (the saver turns it into its frame count)
    std::uint32_t hiki;     // number of dogs less one
};

// Values are kept as read: the file may hold anything a hand could write.
extern SaverSettingsRecord SaverSettings;

constexpr std::int32_t DefaultBgColor = 16777088;  // light cyan 0x00FFFF80
constexpr std::uint32_t DefaultHiki = 2;
constexpr std::uint32_t DefaultDx0 = 8;
constexpr std::uint32_t DefaultDy0 = 5;
constexpr std::uint32_t DefaultWeight = 25;

// The executable's directory with its trailing backslash (set by LoadSettings);
// empty when the system could not give the whole path.
extern std::wstring ModuleDirectory;

const std::wstring& FindModuleDirectory();

// Fills SaverSettings from the file, each missing key from its default.
void LoadSettings();

// Writes all five keys in their fixed order; true only when every write
// succeeded (a read-only file or folder fails them).
bool SaveSettings();
