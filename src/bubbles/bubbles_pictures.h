#pragma once
#include <windows.h>

#include <cstddef>
#include <list>
#include <unordered_map>

#include "bubbles/core/bubbles_draw.h"
#include "common/gdi.h"

// Bigger boxes are drawn with Ellipse: such bubbles are few, and their pictures costly to keep.
inline constexpr long long kLargestKeptSide = 512;
inline constexpr size_t kMostKeptPictures = 512; // a bitmap and a DC each
inline constexpr long long kMostKeptPixels = 4 << 20;

// Ready-made pictures of looks, one per box size and fill. An Ellipse drawn with XOR onto black leaves
// exactly the bits it flips, so blitting the picture with SRCINVERT flips the very same bits. Once a new
// picture would pass kMostKeptPictures or kMostKeptPixels, the least recently used go first. Made
// compatible with the screen, so they suit window DCs only.
class BubblePictures {
  public:
    // What draws a look with XOR; it paints the pictures.
    using Paint = void (*)(HDC, const BubbleLook&);
    explicit BubblePictures(Paint paint) : paint_(paint) {}

    // False when the look has no picture; nothing is drawn then.
    bool Draw(HDC target, const BubbleLook& look);

    size_t Count() const { return pictures_.size(); }
    long long Pixels() const { return pixels_; }
    // Whether a picture of the look's box size and fill is kept.
    bool Keeps(const BubbleLook& look) const;

  private:
    struct Key {
        int width;
        int height;
        int fill;
        bool operator==(const Key& other) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const { return (k.width * 1031u + k.height) * 37u + k.fill; }
    };
    // Each picture stays selected into a DC of its own: selecting a bitmap costs Wine more than the blit.
    struct Picture {
        Picture(const Key& k, HBITMAP b) : key(k), bitmap(b) { SelectObject(dc.get(), bitmap.get()); }
        Key key;
        GdiObject<HBITMAP> bitmap;
        MemoryDC dc; // deleted first, which lets go of the bitmap
    };

    static bool KeyOf(const BubbleLook& look, Key& key);
    HDC Find(const Key& key);
    HDC Make(const Key& key);

    Paint paint_;
    std::list<Picture> pictures_; // the most recently used first
    std::unordered_map<Key, std::list<Picture>::iterator, KeyHash> index_;
    long long pixels_ = 0;
};
