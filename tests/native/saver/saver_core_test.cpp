#include "saver/core/saver_args.h"
#include "saver/core/saver_settings.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

TEST(SaverCommand, WindowsArgumentFormsGiveTheirModeAndWindow) {
    const SaverMode s = SaverMode::kFullScreen, p = SaverMode::kPreview, c = SaverMode::kSettings,
                    a = SaverMode::kPassword, bad = SaverMode::kInvalid;
    const struct {
        const char* line;
        SaverMode mode;
        uint64_t window;
    } cases[] = {
        {"", c, 0},         {"/s", s, 0},     {"/p 1234", p, 1234}, {"-P:1234", p, 1234},
        {"/c", c, 0},       {"/c 77", c, 77}, {"/C:4660", c, 4660}, {"/a", a, 0},
        {"/p", bad, 0},     {"/p 0", bad, 0}, {"/p 12x", bad, 0},   {"/s /c", bad, 0},
        {"/p:1 2", bad, 0}, {"/x", bad, 0},   {"/save", bad, 0},    {"/p:4294967296", p, 1ull << 32},
    };
    for (const auto& t : cases) {
        std::istringstream words(t.line);
        std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
        std::vector<const char*> argv;
        for (const std::string& arg : args)
            argv.push_back(arg.c_str());
        const SaverCommand got = ParseSaverCommand(static_cast<int>(argv.size()), argv.data());
        EXPECT_TRUE(got.mode == t.mode && got.window == t.window) << '"' << t.line << '"';
    }
    EXPECT_EQ(ParseSaverCommand(1, std::vector<const char*>{"/p:18446744073709551616"}.data()).mode, bad);
}

TEST(SaverSettings, EachDamagedOrOutOfRangeValueFallsBackAloneToItsDefault) {
    const uint32_t defaults[kSaverValueCount] = {0, 5, 40, 0, 1};
    const struct {
        int value;
        StoredValue stored;
        uint32_t expected;
    } cases[] = {
        {0, {true, 1}, 1},     {0, {true, 2}, 0},  {1, {true, 0}, 0},    {1, {true, 6}, 5},
        {2, {true, 199}, 199}, {2, {true, 0}, 40}, {2, {true, 200}, 40}, {2, {false, 9}, 40},
        {3, {true, 1}, 1},     {3, {true, 2}, 0},  {4, {true, 0}, 0},    {4, {true, 7}, 1},
    };
    for (const auto& t : cases) {
        StoredValue stored[kSaverValueCount] = {};
        stored[t.value] = t.stored;
        uint32_t got[kSaverValueCount];
        SettingsToStored(SettingsFromStored(stored), got);
        for (int i = 0; i < kSaverValueCount; ++i)
            EXPECT_EQ(got[i], i == t.value ? t.expected : defaults[i]) << t.value << ": " << t.stored.number;
    }
}
