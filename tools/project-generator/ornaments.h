#pragma once
// Small ornaments the cards and frames share, each painted within its own box.

#include "layer_art.h"

#include <cstdint>

namespace lv::artwork {

void Balloon(LayerArt& art, Point centre, float radius, Colour colour);
void HeartOrnament(LayerArt& art, Point centre, float size, Colour colour);
void StarOrnament(LayerArt& art, Point centre, float radius, Colour colour, float turn = 0);
void Flower(LayerArt& art, Point centre, float radius, Colour petals, int count = 6);
void Snowflake(LayerArt& art, Point centre, float radius, Colour colour);
void Leaf(LayerArt& art, Point centre, float length, float angle, Colour colour);
void Egg(LayerArt& art, Point centre, float radius, Colour colour, Colour stripes);
void Ring(LayerArt& art, Point centre, float radius, Colour colour);
// Little bits of colour scattered over the page, the same every run.
void Confetti(LayerArt& art, int count, std::uint32_t seed, float avoidTop = 0);

}  // namespace lv::artwork
