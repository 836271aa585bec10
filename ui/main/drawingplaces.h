#pragma once
// Where the eleven controls of the drawing stand, for the long side on the left and on the
// right, in the order they are placed.

#include <QPoint>
#include <array>

namespace ui {

struct DrawingPlace {
    const char* control; // object name
    QPoint left;         // long side on the left
    QPoint right;        // long side on the right
};

inline constexpr std::array<DrawingPlace, 11> kDrawingPlaces{{
    {"EditAngle", {15, 40}, {391, 72}},
    {"EditGrandExt", {0, 310}, {392, 310}},
    {"EditLargBois", {320, 496}, {56, 496}},
    {"EditLargeur", {145, 576}, {241, 576}},
    {"EditPetitExt", {312, 400}, {80, 400}},
    {"LabelAngle", {45, 40}, {421, 72}},
    {"LabelDiag", {192, 195}, {220, 195}},
    {"LabelLargeurInt", {160, 520}, {260, 520}},
    {"LabelPHExt", {410, 392}, {20, 390}},
    {"LabelGHInt", {130, 328}, {290, 328}},
    {"LabelPHInt", {216, 398}, {216, 398}},
}};

} // namespace ui
