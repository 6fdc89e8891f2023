#pragma once
// Operation codes of the library.

namespace lv::effects {

// Enhancements.
inline constexpr int kOpBrightness = 1;
inline constexpr int kOpBrightnessContrast = 2;
inline constexpr int kOpHueSaturation = 3;
inline constexpr int kOpColourBalance = 4;
inline constexpr int kOpAutoFix = 6;
inline constexpr int kOpAutoBalance = 7;
inline constexpr int kOpSharpen = 9;
inline constexpr int kOpSoften = 10;

// Tone and colour.
inline constexpr int kOpGrey = 20;
inline constexpr int kOpSepia = 21;
inline constexpr int kOpNegative = 22;
inline constexpr int kOpPosterise = 23;
inline constexpr int kOpSolarise = 24;
inline constexpr int kOpThreshold = 25;
inline constexpr int kOpOldPhoto = 26;
inline constexpr int kOpVignette = 27;

// Lines and relief.
inline constexpr int kOpEmboss = 88;
inline constexpr int kOpEdges = 89;
inline constexpr int kOpGlowingEdges = 90;
inline constexpr int kOpSketch = 594;
inline constexpr int kOpPencil = 595;
inline constexpr int kOpCharcoal = 596;
inline constexpr int kOpColouredPencil = 597;
inline constexpr int kOpCartoon = 598;

// Painting.
inline constexpr int kOpOilPaint = 15;
inline constexpr int kOpWatercolour = 16;
inline constexpr int kOpPointillism = 17;

// Tiles.
inline constexpr int kOpMosaic = 338;
inline constexpr int kOpGlassTiles = 339;
inline constexpr int kOpHalftone = 340;

// Distortions.
inline constexpr int kOpPinch = 400;
inline constexpr int kOpTwirl = 401;
inline constexpr int kOpRipple = 402;
inline constexpr int kOpSpherise = 403;
inline constexpr int kOpFrostedGlass = 404;

// Blurs and light.
inline constexpr int kOpMotionBlur = 450;
inline constexpr int kOpZoomBlur = 451;
inline constexpr int kOpSoftGlow = 452;

// Noise.
inline constexpr int kOpNoise = 500;
inline constexpr int kOpFilmGrain = 501;
inline constexpr int kOpDespeckle = 502;

}  // namespace lv::effects
