// Faces of the custom push button. Only a 4-pixel border of each face is
// ever shown (the centre is the button's own gradient), so everything that
// tells the states apart lives in the frame and the 3 pixels inside it.
#include <cmath>

#include "assets/generator/dialog_pictures.h"
#include "assets/generator/shape_coverage.h"

namespace {

constexpr int kWidth = 64, kHeight = 25, kSamples = 4;
constexpr float kCornerRadius = 3.5f;

struct FaceStyle {
    Colour frame;
    Colour faceTop, faceBottom;
    Colour glow;         // inner glow colour
    float glowStrength;  // 0 = none
    float glowReach;     // pixels
    Colour innerFrame;   // a crisp line just inside the frame
    float innerFrameStrength;
    Colour innerHighlight;  // light line on the top inner edge
    float highlightStrength;
};

const Colour kOutside = rgb255(124, 124, 148);  // between the dialog's dark lines and its metal panel
const Colour kDarkBlue = rgb255(12, 44, 112);
const Colour kWhite = rgb255(255, 255, 255);
const Colour kLavender = rgb255(206, 205, 222);

FaceStyle styleOf(ButtonFace face) {
    FaceStyle s{kDarkBlue, kWhite, kLavender, rgb255(255, 160, 32), 0, 1.4f, rgb255(150, 190, 240), 0, kWhite, 0.6f};
    switch (face) {
        case ButtonFace::Normal: break;
        case ButtonFace::HighLight:
            s.faceTop = kLavender;
            s.faceBottom = kWhite;
            s.glowStrength = 0.85f;
            break;
        case ButtonFace::HighLightSelect:
            s.faceTop = kLavender;
            s.faceBottom = kWhite;
            s.glowStrength = 1.0f;
            s.glowReach = 1.8f;
            break;
        case ButtonFace::Selected:
            s.innerFrame = rgb255(128, 176, 236);
            s.innerFrameStrength = 1.0f;
            s.glow = rgb255(190, 214, 246);
            s.glowStrength = 0.6f;
            s.glowReach = 1.2f;
            s.highlightStrength = 0;
            break;
        case ButtonFace::Pressed:
            s.faceTop = rgb255(176, 176, 186);
            s.faceBottom = rgb255(198, 198, 208);
            s.glow = rgb255(120, 120, 134);  // a soft inner shadow
            s.glowStrength = 0.5f;
            s.glowReach = 1.0f;
            s.highlightStrength = 0;
            break;
        case ButtonFace::Disable:
            s.frame = rgb255(184, 178, 160);
            s.faceTop = rgb255(240, 239, 234);
            s.faceBottom = rgb255(222, 220, 212);
            s.highlightStrength = 0.4f;
            break;
    }
    return s;
}

Colour shadeAt(const FaceStyle& s, float x, float y) {
    const float d = roundedRectDistance(x, y, 0, 0, kWidth, kHeight, kCornerRadius);
    if (d > 0) return kOutside;
    const float depth = -d;  // pixels in from the outer edge
    if (depth < 1.0f) return s.frame;
    const float inner = depth - 1.0f;
    Colour c = mix(s.faceTop, s.faceBottom, std::clamp(y / kHeight, 0.0f, 1.0f));
    if (s.highlightStrength > 0 && inner < 1.0f && y < kHeight * 0.5f)
        c = mix(c, s.innerHighlight, s.highlightStrength);
    if (s.glowStrength > 0) c = mix(c, s.glow, s.glowStrength * std::exp(-inner / s.glowReach));
    if (s.innerFrameStrength > 0 && inner < 1.0f) c = mix(c, s.innerFrame, s.innerFrameStrength);
    return c;
}

}  // namespace

Picture makeButtonFace(ButtonFace face) {
    const FaceStyle style = styleOf(face);
    Picture big(kWidth * kSamples, kHeight * kSamples);
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x) big.at(x, y) = shadeAt(style, (x + 0.5f) / kSamples, (y + 0.5f) / kSamples);
    return downsample(big, kSamples);
}
