#include "assets/generator/palette_reduction.h"

#include <algorithm>
#include <array>

namespace {

using Rgb = std::array<uint8_t, 3>;

struct ColourBox {
    std::vector<Rgb> colours;

    int widestChannel(int& range) const {
        int best = 0;
        range = -1;
        for (int c = 0; c < 3; ++c) {
            int lo = 255, hi = 0;
            for (const Rgb& p : colours) {
                lo = std::min<int>(lo, p[c]);
                hi = std::max<int>(hi, p[c]);
            }
            if (hi - lo > range) {
                range = hi - lo;
                best = c;
            }
        }
        return best;
    }
    Rgb average() const {
        long sum[3] = {0, 0, 0};
        for (const Rgb& p : colours)
            for (int c = 0; c < 3; ++c) sum[c] += p[c];
        const long n = static_cast<long>(colours.size());
        return {static_cast<uint8_t>((sum[0] + n / 2) / n), static_cast<uint8_t>((sum[1] + n / 2) / n),
                static_cast<uint8_t>((sum[2] + n / 2) / n)};
    }
};

// Splits the box with the widest channel range until there are `count` boxes.
std::vector<ColourBox> splitBoxes(std::vector<Rgb> colours, int count) {
    std::vector<ColourBox> boxes;
    if (colours.empty()) return boxes;
    boxes.push_back({std::move(colours)});
    while (static_cast<int>(boxes.size()) < count) {
        int chosen = -1, chosenRange = 0, chosenChannel = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            int range;
            const int channel = boxes[i].widestChannel(range);
            if (boxes[i].colours.size() > 1 && range > chosenRange) {
                chosen = static_cast<int>(i);
                chosenRange = range;
                chosenChannel = channel;
            }
        }
        if (chosen < 0) break;
        std::vector<Rgb>& all = boxes[chosen].colours;
        std::stable_sort(all.begin(), all.end(),
                         [&](const Rgb& a, const Rgb& b) { return a[chosenChannel] < b[chosenChannel]; });
        const size_t half = all.size() / 2;
        ColourBox upper{std::vector<Rgb>(all.begin() + static_cast<long>(half), all.end())};
        all.resize(half);
        boxes.push_back(std::move(upper));
    }
    return boxes;
}

uint8_t nearestEntry(const std::vector<Rgb>& palette, const uint8_t* p) {
    int best = 1, bestDistance = 1 << 30;
    for (size_t i = 1; i < palette.size(); ++i) {
        int d = 0;
        for (int c = 0; c < 3; ++c) {
            const int e = static_cast<int>(palette[i][c]) - p[c];
            d += e * e;
        }
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return static_cast<uint8_t>(best);
}

}  // namespace

IndexedPicture reduceToPalette(const Rgb8Picture& picture, const std::vector<bool>& transparent, int maxColours) {
    IndexedPicture out;
    out.width = picture.width;
    out.height = picture.height;
    out.transparent = transparent;
    out.indices.assign(static_cast<size_t>(picture.width) * picture.height, 0);
    std::vector<Rgb> colours;
    for (size_t i = 0; i < out.indices.size(); ++i)
        if (!transparent[i]) colours.push_back({picture.rgb[i * 3], picture.rgb[i * 3 + 1], picture.rgb[i * 3 + 2]});
    out.palette.push_back({0, 0, 0});
    for (const ColourBox& box : splitBoxes(std::move(colours), std::clamp(maxColours, 2, 256) - 1))
        out.palette.push_back(box.average());
    if (out.palette.size() < 2) return out;
    for (size_t i = 0; i < out.indices.size(); ++i)
        if (!transparent[i]) out.indices[i] = nearestEntry(out.palette, &picture.rgb[i * 3]);
    return out;
}
