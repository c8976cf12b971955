#include "lines/core/lines_figure.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/core/random.h"

float sineTable[256];

const int8_t factorTable[12] = {1, 1, 1, 1, 1, 2, 2, 2, 3, 3, 4, 5};

void InitSineTable() {
    // Only the first quarter is computed; the rest mirrors it exactly, so the curves are symmetric to the
    // bit.
    for (int i = 0; i <= 64; ++i) {
        const float s = static_cast<float>(std::sin(i * 3.141592653589793 * 0.0078125));
        sineTable[i] = s;
        sineTable[128 - i] = s;
        sineTable[128 + i] = -s;
        if (i >= 1) sineTable[256 - i] = -s;
    }
}

namespace {
constexpr double kByteScale = 0.00392156862745098; // 1 / 255

uint32_t ToByte(double component) { return static_cast<uint32_t>(static_cast<int>(component * 255.0)); }

// Which of v, p, q and t make red, green and blue in each sixth of the hue circle; 6 is hue 255.
constexpr uint8_t kSectorPicks[7][3] = {{0, 3, 1}, {2, 0, 1}, {1, 0, 3}, {1, 2, 0},
                                        {3, 1, 0}, {0, 1, 2}, {0, 1, 2}};

// Inlined into the tracing loop, where the conversions of neighbouring points overlap.
inline uint32_t PackedHsvToRgb(uint32_t packed) {
    const double s = ((packed >> 8) & 0xFFu) * kByteScale;
    const double v = ((packed >> 16) & 0xFFu) * kByteScale;
    if (s == 0.0) return ToByte(v) * 0x010101u;
    const double h = (packed & 0xFFu) * kByteScale * 6.0;
    // h is never negative, so truncation is the floor; a table instead of a branch per sector keeps the
    // colours of a figure, whose hues jump between sectors, from stalling on mispredictions.
    const int sector = static_cast<int>(h);
    const double f = h - sector;
    const double values[4] = {v, v * (1.0 - s), v * (1.0 - s * f), v * (1.0 - s * (1.0 - f))};
    const uint8_t* pick = kSectorPicks[sector];
    return ToByte(values[pick[0]]) | ToByte(values[pick[1]]) << 8 | ToByte(values[pick[2]]) << 16;
}
} // namespace

uint32_t HsvToRgb(uint32_t packed) { return PackedHsvToRgb(packed); }

int LinesMinSwing(int width, int height) { return std::min(std::min(width, height) / 4, 20); }

LinesChannel MakeLinesChannel(int a, int b, int minSwing, int startPhase, int frequency, int n) {
    const int delta = a - b;
    const int centre = b + delta / 2; // halved toward zero, in integers
    return LinesChannel{static_cast<float>(std::max(std::abs(delta), minSwing)), static_cast<float>(centre),
                        static_cast<double>(startPhase), static_cast<double>(frequency) / n};
}

namespace {
// One entry of factorTable, drawn from its first count entries.
int DrawFactor(int count) { return factorTable[RandomBelow(count)]; }
} // namespace

LinesFigurePlan PlanLinesFigure(int width, int height, bool erase) {
    LinesFigurePlan plan{};
    const int m = DrawFactor(9); // base harmonic, shared by every channel
    const int span = m == 1 ? 100 : 200;
    const int minSwing = LinesMinSwing(width, height);
    const int n = span / 8 + RandomBelow(span - span / 8);
    int nSteps = n * DrawFactor(9);
    const int lagDivisor = m == 1 ? 1 : 2;
    plan.iErase = static_cast<int16_t>(-1 - RandomBelow(n - 1) / lagDivisor);
    plan.ticksPerStep = static_cast<int16_t>(DrawFactor(9));
    if (!erase) nSteps += n; // nothing is wiped behind, so the figure is traced once more
    plan.nSegments = static_cast<int16_t>(n);
    plan.nSteps = static_cast<int16_t>(nSteps);

    int ySide[8], xSide[8], startPhase[8], frequency[8];
    for (int j = 0; j < 4; ++j) {
        ySide[j] = RandomBelow(height);
        xSide[j] = RandomBelow(width);
        startPhase[j] = RandomBelow(256);
        frequency[j] = (DrawFactor(12) + m) * 256;
    }
    for (int j = 4; j < 8; ++j) {
        ySide[j] = 64 + RandomBelow(192);
        xSide[j] = RandomBelow(256);
        startPhase[j] = RandomBelow(256);
        frequency[j] = (DrawFactor(12) + m) * 256;
    }
    // x-side pair (6, 7) and channel 7 are drawn only to keep the sequence of draws; they drive nothing.
    const int* side[kLinesChannelCount] = {xSide, ySide, xSide, ySide, xSide, ySide, ySide};
    const int pair[kLinesChannelCount] = {0, 0, 2, 2, 4, 4, 6};
    for (int c = 0; c < kLinesChannelCount; ++c) {
        plan.channels[c] = MakeLinesChannel(side[c][pair[c]], side[c][pair[c] + 1], minSwing, startPhase[c],
                                            frequency[c], n);
    }
    return plan;
}

namespace {
int ChannelValue(const LinesChannel& c) {
    const float half = 0.5f;
    // The phase only grows from a start of 0 or more, so the mask is the modulo.
    const double value = static_cast<double>(c.swing) *
                             static_cast<double>(sineTable[static_cast<int>(c.phase) & 255]) *
                             static_cast<double>(half) +
                         static_cast<double>(c.centre);
    return static_cast<int>(value); // toward zero
}
} // namespace

void TraceLinesFigure(const LinesFigurePlan& plan, int count, LinesSegment* segments, uint32_t* colors) {
    LinesChannel channels[kLinesChannelCount];
    std::copy(plan.channels, plan.channels + kLinesChannelCount, channels);
    for (int t = 0; t < count; ++t) {
        int value[kLinesChannelCount];
        for (int c = 0; c < kLinesChannelCount; ++c)
            value[c] = ChannelValue(channels[c]);
        segments[t] =
            LinesSegment{value[kChannelX1], value[kChannelY1], value[kChannelX2], value[kChannelY2]};
        const uint32_t hue = static_cast<uint32_t>(value[kChannelHue]) & 0xFFu;
        const uint32_t saturation = static_cast<uint32_t>(value[kChannelSaturation]) & 0xFFu;
        const uint32_t brightness = static_cast<uint32_t>(value[kChannelValue]) & 0xFFu;
        colors[t] = PackedHsvToRgb(hue | saturation << 8 | brightness << 16);
        for (LinesChannel& c : channels)
            c.phase += c.increment;
    }
}

void LinesNewFigure(LinesData& data, int width, int height) {
    if (sineTable[1] == 0.0f) InitSineTable();
    const LinesFigurePlan plan = PlanLinesFigure(width, height, data.fErase != 0);
    TraceLinesFigure(plan, plan.nSegments, data.segments, data.colors);
    data.nSegments = plan.nSegments;
    data.nSteps = plan.nSteps;
    data.iDraw = 0;
    data.iErase = plan.iErase;
    data.ticksPerStep = plan.ticksPerStep;
}
