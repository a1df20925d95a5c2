#pragma once

#include <QPoint>

#include <optional>

namespace kelvora {

// Where the two copies of the caption sit (left, top in twips) for each
// Phase: the back copy is shifted one pixel against the front copy, and the
// direction of the shift gives the raised or sunken look.
struct PhasePlacement
{
    QPoint back;  // Label1
    QPoint front; // Label2
};

// Phases other than 0 to 3 have no placement: the labels stay where they are.
constexpr std::optional<PhasePlacement> placementForPhase(int phase)
{
    switch (phase) {
    case 0:
        return PhasePlacement{{15, 15}, {0, 0}}; // back right and down
    case 1:
        return PhasePlacement{{0, 15}, {15, 0}}; // back left and down
    case 2:
        return PhasePlacement{{15, 0}, {0, 15}}; // back right and up
    case 3:
        return PhasePlacement{{0, 0}, {15, 15}}; // back left and up
    default:
        return std::nullopt;
    }
}

} // namespace kelvora
