#include "bubbles/bubbles_pictures.h"

namespace {

// The two-pixel pen reaches past the box; a picture keeps a border for it.
constexpr int kMargin = kBubbleOutlineWidth;

long long PixelsWithMargin(int width, int height) {
    return static_cast<long long>(width + 2 * kMargin) * (height + 2 * kMargin);
}

} // namespace

bool BubblePictures::KeyOf(const BubbleLook& look, Key& key) {
    const long long width = static_cast<long long>(look.box.right) - look.box.left;
    const long long height = static_cast<long long>(look.box.bottom) - look.box.top;
    if (width <= 0 || height <= 0 || width > kLargestKeptSide || height > kLargestKeptSide) return false;
    key = {static_cast<int>(width), static_cast<int>(height), look.fill};
    return true;
}

bool BubblePictures::Draw(HDC target, const BubbleLook& look) {
    Key key{};
    if (!KeyOf(look, key)) return false;
    HDC picture = Find(key);
    return picture != nullptr &&
           BitBlt(target, look.box.left - kMargin, look.box.top - kMargin, key.width + 2 * kMargin,
                  key.height + 2 * kMargin, picture, 0, 0, SRCINVERT) != FALSE;
}

bool BubblePictures::Keeps(const BubbleLook& look) const {
    Key key{};
    return KeyOf(look, key) && index_.count(key) != 0;
}

HDC BubblePictures::Find(const Key& key) {
    const auto found = index_.find(key);
    if (found == index_.end()) return Make(key);
    pictures_.splice(pictures_.begin(), pictures_, found->second);
    return pictures_.front().dc.get();
}

HDC BubblePictures::Make(const Key& key) {
    const long long pixels = PixelsWithMargin(key.width, key.height);
    while (!pictures_.empty() &&
           (pictures_.size() >= kMostKeptPictures || pixels_ + pixels > kMostKeptPixels)) {
        pixels_ -= PixelsWithMargin(pictures_.back().key.width, pictures_.back().key.height);
        index_.erase(pictures_.back().key);
        pictures_.pop_back();
    }
    const int width = key.width + 2 * kMargin;
    const int height = key.height + 2 * kMargin;
    HBITMAP bitmap = CreateCompatibleBitmap(WindowDC(nullptr).get(), width, height);
    if (bitmap == nullptr) return nullptr;
    const Picture& picture = pictures_.emplace_front(key, bitmap);
    if (picture.dc.get() == nullptr) {
        pictures_.pop_front();
        return nullptr;
    }
    PatBlt(picture.dc.get(), 0, 0, width, height, BLACKNESS);
    paint_(picture.dc.get(), {{kMargin, kMargin, kMargin + key.width, kMargin + key.height}, key.fill});
    index_[key] = pictures_.begin();
    pixels_ += pixels;
    return picture.dc.get();
}
