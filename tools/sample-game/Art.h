#pragma once
// The sample game's pictures: simple procedural space art, one painter per kind of subject.
// Every picture is seeded from its name, so a build always paints the same pictures.

#include "Canvas.h"
#include "Noise.h"

#include <string>

namespace krel::sample {

enum class Subject { Planet, Moon, Star, Nebula, Galaxy, Hazard, Ship, Species, History, Tech };
enum class ShipFamily { Dart, Hauler, Cruiser };

// The subject a picture name stands for, from its prefix ("Planet_", "SHIP_", ...).
Subject SubjectOf(const std::string& pictureName);

// Paints the named picture at the given size. Pictures of one subject differ by their variant
// (0, 1, ...) where the subject has kinds to choose from, such as the kinds of worlds.
PngImage PaintPicture(const std::string& pictureName, int width, int height, int variant);

// Painters shared by the subjects (SpaceArt.cpp).
void PaintStarfield(Canvas& canvas, uint32_t seed, float density);
void PaintPlanet(Canvas& canvas, float cx, float cy, float radius, uint32_t seed, int variant);
void PaintMoon(Canvas& canvas, float cx, float cy, float radius, uint32_t seed);
void PaintStar(Canvas& canvas, float cx, float cy, float radius, Rgb colour, uint32_t seed);
void PaintNebula(Canvas& canvas, uint32_t seed);
void PaintGalaxy(Canvas& canvas, uint32_t seed);
void PaintBlackHole(Canvas& canvas, uint32_t seed);
void PaintRift(Canvas& canvas, uint32_t seed);

// Painters of made and living things, one file each.
void PaintShip(Canvas& canvas, ShipFamily family, uint32_t seed);
void PaintSpecies(Canvas& canvas, uint32_t seed);
void PaintHistory(Canvas& canvas, uint32_t seed);
void PaintTech(Canvas& canvas, uint32_t seed);

} // namespace krel::sample
