#pragma once
#include <cstdint>

#include "bubbles/core/bubbles_surface.h"
#include "bubbles/core/bubbles_data.h"

// A displacement in client pixels.
struct BubbleMove {
    float dx;
    float dy;
};

constexpr uint32_t kTickBudgetMs = 16;
constexpr uint32_t kGravityPeriodMs = 32;
constexpr float kGravityFall = 5.0f;
constexpr double kSmallestMoveSquared = 0.00390625; // moves of 1/16 pixel or less are dropped
constexpr double kCoincidenceDistance = 0.125;
constexpr uint32_t kYeastStepMs = 16; // times RandomBelow(10)
constexpr int kBudChancePerMille = 3;
constexpr uint32_t kGrowthPeriodMs = 320;
constexpr double kGrowthStep = 1.0;
constexpr float kDefaultRadius = 20.0f;

// The displacement that moves b clear of a; (0, 0) when they do not overlap.
BubbleMove OverlapPush(const Bubble& a, const Bubble& b);

// Erase, move, draw and queue bubble k; the held bubble and tiny moves are left alone.
void MoveBubble(BubblesData& data, BubbleSurface& surface, int k, BubbleMove move);
void SetBubbleRadius(BubblesData& data, BubbleSurface& surface, int k, float radius);

// One relaxation step: k shoves its neighbours aside, then is brought back inside the edges.
void ProcessBubble(BubblesData& data, BubbleSurface& surface, int k);

void YeastAndGrowth(BubblesData& data, BubbleSurface& surface, BubbleClock& clock);
void BudBubble(BubblesData& data, BubbleSurface& surface, int parent);

// A new bubble of the default radius at a random place in the client area.
void MakeBubble(BubblesData& data, BubbleSurface& surface);

// A client area without pixels (a minimized window) has no edges to keep the bubbles inside.
inline bool ClientEmpty(BubbleClientSize size) { return size.width <= 0 || size.height <= 0; }

// A new client size: every bubble is checked against the new edges, unless there are none.
void BubblesClientResized(BubblesData& data, BubbleClientSize size);

// Gravity, then queue work until the queue is empty or the budget is used up, then yeast and growth.
// Returns the number of relaxation steps run. Does nothing while the client area is empty.
int BubblesTimerTick(BubblesData& data, BubbleSurface& surface, BubbleClock& clock);
