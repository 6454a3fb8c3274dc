#include "Art.h"

#include "archive/ZipNames.h"

#include <array>
#include <utility>

namespace krel::sample {
namespace {

bool mentions(const std::string& name, const char* word) {
    return FindInNameIgnoringCase(name, word) != std::string::npos;
}

Rgb starColour(uint32_t seed) {
    static const std::array<unsigned, 4> colours = {0xbfd8ff, 0xfff1c0, 0xffb070, 0xff7a50};
    return Hex(colours[seed % colours.size()]);
}

void paintStars(Canvas& canvas, const std::string& name, uint32_t seed) {
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    PaintStarfield(canvas, seed, 0.1f);
    if (mentions(name, "Twin")) {
        PaintStar(canvas, w * 0.36f, h * 0.55f, h * 0.17f, starColour(seed), seed);
        PaintStar(canvas, w * 0.68f, h * 0.4f, h * 0.11f, starColour(seed + 1), seed + 1);
    } else {
        PaintStar(canvas, w * 0.5f, h * 0.5f, h * 0.22f, starColour(seed), seed);
    }
}

ShipFamily familyOf(const std::string& name, uint32_t seed) {
    if (mentions(name, "haul") || mentions(name, "seed"))
        return ShipFamily::Hauler;
    if (mentions(name, "wasp") || mentions(name, "lantern"))
        return ShipFamily::Dart;
    return seed % 3 == 0 ? ShipFamily::Dart : ShipFamily::Cruiser;
}

void paintWorld(Canvas& canvas, bool moon, uint32_t seed, int variant) {
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    PaintStarfield(canvas, seed, 0.12f);
    if (moon)
        PaintMoon(canvas, w * 0.5f, h * 0.5f, h * 0.4f, seed);
    else
        PaintPlanet(canvas, w * 0.5f, h * 0.5f, h * 0.36f, seed, variant);
}

} // namespace

Subject SubjectOf(const std::string& pictureName) {
    static const std::array<std::pair<const char*, Subject>, 10> prefixes = {{
        {"planet_", Subject::Planet},
        {"moon_", Subject::Moon},
        {"star_", Subject::Star},
        {"nebula_", Subject::Nebula},
        {"galaxy_", Subject::Galaxy},
        {"hazard_", Subject::Hazard},
        {"ship_", Subject::Ship},
        {"species_", Subject::Species},
        {"history_", Subject::History},
        {"tech_", Subject::Tech},
    }};
    std::string folded = FoldNameCase(pictureName);
    for (const auto& [prefix, subject] : prefixes)
        if (folded.rfind(prefix, 0) == 0)
            return subject;
    return Subject::Nebula;
}

PngImage PaintPicture(const std::string& pictureName, int width, int height, int variant) {
    Canvas canvas(width, height, width > 300 ? 2 : 3); // large backdrops need less smoothing
    uint32_t seed = HashText(pictureName.c_str());
    switch (SubjectOf(pictureName)) {
    case Subject::Planet:
    case Subject::Moon:
        paintWorld(canvas, SubjectOf(pictureName) == Subject::Moon, seed, variant);
        break;
    case Subject::Star:
        paintStars(canvas, pictureName, seed);
        break;
    case Subject::Nebula:
        PaintNebula(canvas, seed);
        break;
    case Subject::Galaxy:
        PaintGalaxy(canvas, seed);
        break;
    case Subject::Hazard:
        if (mentions(pictureName, "Rift") || (!mentions(pictureName, "Maw") && seed % 2))
            PaintRift(canvas, seed);
        else
            PaintBlackHole(canvas, seed);
        break;
    case Subject::Ship:
        PaintShip(canvas, familyOf(pictureName, seed), seed);
        break;
    case Subject::Species:
        PaintSpecies(canvas, seed);
        break;
    case Subject::History:
        PaintHistory(canvas, seed);
        break;
    case Subject::Tech:
        PaintTech(canvas, seed);
        break;
    }
    return canvas.ToImage();
}

} // namespace krel::sample
