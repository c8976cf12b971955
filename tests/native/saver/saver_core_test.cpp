#include "saver/core/saver_args.h"
#include "saver/core/saver_settings.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(SaverCommand, WindowsArgumentFormsGiveTheirModeAndWindow) {
    const SaverMode s = SaverMode::kFullScreen, p = SaverMode::kPreview, c = SaverMode::kSettings,
                    a = SaverMode::kPassword, bad = SaverMode::kInvalid;
    const uint64_t big = 1ull << 32;
    const std::tuple<const char*, const char*, SaverMode, uint64_t> cases[] = {
        {"", "", c, 0},        {"/s", "", s, 0},    {"/p", "1234", p, 1234},  {"-P:1234", "", p, 1234},
        {"/c", "", c, 0},      {"/c", "77", c, 77}, {"/C:4660", "", c, 4660}, {"/a", "", a, 0},
        {"/p", "", bad, 0},    {"/p", "0", bad, 0}, {"/p", "12x", bad, 0},    {"/s", "/c", bad, 0},
        {"/p:1", "2", bad, 0}, {"/x", "", bad, 0},  {"/save", "", bad, 0},    {"/p", "4294967296", p, big},
    };
    for (const auto& [flag, handle, mode, window] : cases) {
        const char* argv[] = {flag, handle}; // "" is no word at all
        const SaverCommand got = ParseSaverCommand((*flag != 0) + (*handle != 0), argv);
        EXPECT_TRUE(got.mode == mode && got.window == window) << flag << ' ' << handle;
    }
    const char* huge[] = {"/p:18446744073709551617"};
    EXPECT_EQ(ParseSaverCommand(1, huge).mode, bad);
}

TEST(SaverSettings, EachDamagedOrOutOfRangeValueFallsBackAloneToItsDefault) {
    const uint32_t defaults[kSaverValueCount] = {0, 5, 40, 0, 1};
    const std::tuple<int, StoredValue, uint32_t> cases[] = {
        {0, {true, 1}, 1},     {0, {true, 2}, 0},  {1, {true, 0}, 0},    {1, {true, 6}, 5},
        {2, {true, 199}, 199}, {2, {true, 0}, 40}, {2, {true, 200}, 40}, {2, {false, 9}, 40},
        {3, {true, 1}, 1},     {3, {true, 2}, 0},  {4, {true, 0}, 0},    {4, {true, 7}, 1},
    };
    for (const auto& [value, read, expected] : cases) {
        StoredValue stored[kSaverValueCount] = {};
        stored[value] = read;
        uint32_t got[kSaverValueCount];
        SettingsToStored(SettingsFromStored(stored), got);
        for (int i = 0; i < kSaverValueCount; ++i)
            EXPECT_EQ(got[i], i == value ? expected : defaults[i]) << value << ": " << read.number;
    }
}
