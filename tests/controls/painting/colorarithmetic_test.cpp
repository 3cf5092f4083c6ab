#include "controls/painting/colorarithmetic.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string Describe(const QColor &c) {
    return "(" + std::to_string(c.red()) + ", " + std::to_string(c.green()) + ", " +
           std::to_string(c.blue()) + ")";
}

struct HslCase {
    const char *name;
    QColor rgb;
    Hsl hsl;
};

TEST(ColorArithmetic, RgbToHslOnThe240Scale) {
    const std::vector<HslCase> cases{
        {"white", QColor(255, 255, 255), {0, 0, 240}},
        {"black", QColor(0, 0, 0), {0, 0, 0}},
        {"red", QColor(255, 0, 0), {0, 240, 120}},
        {"green", QColor(0, 255, 0), {80, 240, 120}},
        {"blue", QColor(0, 0, 255), {160, 240, 120}},
        {"mid gray rounds half to even", QColor(128, 128, 128), {0, 0, 120}},
        {"magenta-ish wraps a negative hue", QColor(255, 0, 128), {220, 240, 120}},
        {"light", QColor(200, 220, 240), {140, 137, 207}},
    };
    for (const HslCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Hsl hsl = RgbToHsl(c.rgb);
        EXPECT_EQ(hsl.h, c.hsl.h);
        EXPECT_EQ(hsl.s, c.hsl.s);
        EXPECT_EQ(hsl.l, c.hsl.l);
    }
}

struct RgbCase {
    const char *name;
    Hsl hsl;
    QColor rgb;
};

TEST(ColorArithmetic, HslToRgbUsesTheHueDivisor239) {
    const std::vector<RgbCase> cases{
        {"hue 80 lands past green", {80, 240, 120}, QColor(0, 255, 2)},
        {"hue 0 is red", {0, 240, 120}, QColor(255, 0, 0)},
        {"hue 160", {160, 240, 120}, QColor(4, 0, 255)},
        {"hue 239 is sector six, drawn as sector 0", {239, 240, 120}, QColor(255, 0, 0)},
        {"gray keeps its luminance", {0, 0, 120}, QColor(128, 128, 128)},
        {"white", {0, 0, 240}, QColor(255, 255, 255)},
        {"no luminance is black", {100, 240, 0}, QColor(0, 0, 0)},
        {"luminance above the scale is capped", {0, 0, 255}, QColor(255, 255, 255)},
    };
    for (const RgbCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Describe(HslToRgb(c.hsl.h, c.hsl.s, c.hsl.l)), Describe(c.rgb));
    }
}

TEST(ColorArithmetic, ShadesStayWithinTheirLimits) {
    EXPECT_EQ(Describe(ShadeLighter(QColor(250, 250, 250), 100)), Describe(QColor(255, 255, 255)));
    EXPECT_EQ(Describe(ShadeDarker(QColor(10, 10, 10), 100)), Describe(QColor(0, 0, 0)));
    // Hue and saturation are kept: a darker red is still pure red.
    EXPECT_EQ(Describe(ShadeDarker(QColor(255, 0, 0), 60)), Describe(QColor(128, 0, 0)));
    EXPECT_EQ(Describe(ShadeLighter(QColor(128, 128, 128), 60)), Describe(QColor(191, 191, 191)));
    EXPECT_EQ(Describe(ShadeColor(QColor(128, 128, 128), 0)), Describe(QColor(128, 128, 128)));
    EXPECT_EQ(Describe(ShadeColor(QColor(128, 128, 128), -60)),
              Describe(ShadeDarker(QColor(128, 128, 128), 60)));
    EXPECT_EQ(Describe(ShadeColor(QColor(128, 128, 128), 60)),
              Describe(ShadeLighter(QColor(128, 128, 128), 60)));
}

TEST(ColorArithmetic, MixWeightsTheFirstColour) {
    EXPECT_EQ(Describe(MixColors(QColor(255, 0, 100), QColor(0, 255, 100), 255)),
              Describe(QColor(255, 0, 100)));
    EXPECT_EQ(Describe(MixColors(QColor(255, 0, 100), QColor(0, 255, 100), 0)),
              Describe(QColor(0, 255, 100)));
    EXPECT_EQ(Describe(MixColors(QColor(255, 255, 255), QColor(0, 0, 0), 77)),
              Describe(QColor(77, 77, 77)));
}

TEST(ColorArithmetic, NearlyAlikeComparesHueAndLuminance) {
    EXPECT_TRUE(ColorsNearlyAlike(QColor(255, 0, 0), QColor(230, 20, 10)));
    EXPECT_FALSE(ColorsNearlyAlike(QColor(255, 0, 0), QColor(0, 0, 255)));
    EXPECT_FALSE(ColorsNearlyAlike(QColor(255, 0, 0), QColor(60, 0, 0)));
}

TEST(ColorArithmetic, OppositeHueTurnsByAThirdOfTheCircle) {
    const QColor hue200(252, 0, 255);
    ASSERT_EQ(RgbToHsl(hue200).h, 200);
    const Hsl opposite = RgbToHsl(OppositeHueColor(hue200, 100));
    EXPECT_EQ(opposite.h, 80);
    EXPECT_EQ(opposite.s, 240);
    EXPECT_EQ(opposite.l, 100);
    EXPECT_EQ(RgbToHsl(OppositeHueColor(QColor(255, 0, 0), 120)).h, 120);
}

} // namespace
