#include "dog.h"

#include <cmath>
#include <functional>
#include <vector>

#include "canvas.h"

namespace art {
namespace {

using namespace palette;

constexpr double kLine = 2.4;  // outline width in cell pixels

// One piece of the dog: a closed shape, or a limb drawn as a thick round line.
struct Part {
    std::function<void(cairo_t*)> path;
    Rgb colour;
    double limbWidth = 0;
};

// All outlines of a group go down before any of its fills, so touching parts
// merge into one silhouette with a single outline around it.
void DrawGroup(cairo_t* cr, const std::vector<Part>& parts, double outline) {
    for (const Part& part : parts) {
        cairo_new_path(cr);
        part.path(cr);
        SetColour(cr, kOutline);
        if (part.limbWidth > 0) {
            cairo_set_line_width(cr, part.limbWidth + 2 * outline);
            cairo_stroke(cr);
        } else {
            cairo_set_line_width(cr, 2 * outline);
            cairo_fill_preserve(cr);
            cairo_stroke(cr);
        }
    }
    for (const Part& part : parts) {
        cairo_new_path(cr);
        part.path(cr);
        SetColour(cr, part.colour);
        if (part.limbWidth > 0) {
            cairo_set_line_width(cr, part.limbWidth);
            cairo_stroke(cr);
        } else {
            cairo_fill(cr);
        }
    }
}

// A fill that stays inside an already drawn shape (cheek, belly).
void FillInside(cairo_t* cr, const std::function<void(cairo_t*)>& clip,
                const std::function<void(cairo_t*)>& shape, Rgb colour, double alpha = 1.0) {
    cairo_save(cr);
    cairo_new_path(cr);
    clip(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    shape(cr);
    SetColour(cr, colour, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Angles in degrees from straight down, positive towards the nose.
struct Leg {
    double upper, lower;
};

struct PoseShape {
    double tilt;  // body rotation; negative lifts the nose
    double lift;  // body raised by this many pixels
    Leg nearFront, farFront, nearHind, farHind;
    double ear;   // ear swing back and up from hanging
    double tail;  // tail swing back
    bool mouthOpen;
};

const PoseShape kPoses[] = {
    // On the ground: standing square, ears hanging, tail curled up.
    {0, 0, {0, 0}, {4, 2}, {0, 0}, {-4, -2}, 0, 0, false},
    // Taking off: nose up, front legs reaching, hind legs pushing back.
    {-4, 2, {50, 75}, {38, 62}, {-55, -75}, {-42, -62}, 30, 10, true},
    // Top of the hop: legs tucked under, ears flying.
    {-2, 5, {40, -80}, {30, -85}, {65, -70}, {55, -75}, 55, 15, true},
};

constexpr double kLegWidth = 12;
constexpr double kUpperLeg = 9;
constexpr double kLowerLeg = 10;

// Leg from its joint: two round segments and a paw pointing forward along
// the lower segment's normal.
std::vector<Part> LegParts(double jx, double jy, Leg leg, double reach, Rgb colour) {
    const double a1 = Radians(leg.upper), a2 = Radians(leg.lower);
    const double kx = jx + kUpperLeg * std::sin(a1), ky = jy + kUpperLeg * std::cos(a1);
    const double lower = kLowerLeg + reach;
    const double ex = kx + lower * std::sin(a2), ey = ky + lower * std::cos(a2);
    const double fx = std::cos(a2), fy = -std::sin(a2);
    return {
        {[=](cairo_t* cr) {
             cairo_move_to(cr, jx, jy);
             cairo_line_to(cr, kx, ky);
             cairo_line_to(cr, ex, ey);
         },
         colour, kLegWidth},
        {[=](cairo_t* cr) { EllipsePath(cr, ex + 2.5 * fx, ey + 2.5 * fy, 8, 5.2, -leg.lower); }, colour},
    };
}

void Append(std::vector<Part>& to, const std::vector<Part>& more) { to.insert(to.end(), more.begin(), more.end()); }

void BodyPath(cairo_t* cr) { EllipsePath(cr, 1, 0, 33, 22, -4); }
void HaunchPath(cairo_t* cr) { EllipsePath(cr, -17, 3, 15.5, 17, -10); }
void HeadPath(cairo_t* cr) { EllipsePath(cr, 0, 0, 32, 29); }
void MuzzlePath(cairo_t* cr) { EllipsePath(cr, 26, 11, 17, 12.5, -6); }

// The floppy ear, hanging from its root at the origin.
void EarPath(cairo_t* cr) {
    cairo_move_to(cr, -8, -2);
    cairo_curve_to(cr, -16, 10, -9, 30, 2, 32);
    cairo_curve_to(cr, 11, 33, 14, 12, 9, 0);
    cairo_curve_to(cr, 5, -6, -4, -6, -8, -2);
    cairo_close_path(cr);
}

void TailPath(cairo_t* cr) {
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, -14, -6, -18, -26, -6, -32);
    cairo_curve_to(cr, 2, -36, 6, -28, 2, -24);
}

void DrawHead(cairo_t* cr, bool mouthOpen, double earSwing) {
    DrawGroup(cr, {{HeadPath, kFur}, {MuzzlePath, kCream}}, kLine);
    FillInside(cr, HeadPath, [](cairo_t* c) { EllipsePath(c, 10, 17, 20, 11); }, kCream);
    cairo_new_path(cr);
    MuzzlePath(cr);
    SetColour(cr, kCream);
    cairo_fill(cr);
    FillInside(cr, HeadPath, [](cairo_t* c) { EllipsePath(c, 2, 10, 6, 3.6); }, kBlush, 0.55);

    // Mouth under the nose.
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, kLine * 0.75);
    if (mouthOpen) {
        auto mouth = [](cairo_t* c) {
            cairo_move_to(c, 39, 11);
            cairo_curve_to(c, 39.5, 22, 31, 25, 26, 16);
            cairo_curve_to(c, 30, 17.5, 35, 16, 39, 11);
            cairo_close_path(c);
        };
        DrawGroup(cr, {{mouth, kMouth}}, kLine * 0.5);
        FillInside(cr, mouth, [](cairo_t* c) { EllipsePath(c, 32, 22, 5, 4); }, kTongue);
    } else {
        cairo_new_path(cr);
        cairo_move_to(cr, 39.5, 8);
        cairo_line_to(cr, 39, 13);
        cairo_curve_to(cr, 37, 17, 32, 18, 29, 15);
        cairo_stroke(cr);
    }

    // Nose with a glint.
    DrawGroup(cr, {{[](cairo_t* c) { EllipsePath(c, 40, 3, 6.5, 4.8, 10); }, kNose}}, kLine * 0.5);
    cairo_new_path(cr);
    EllipsePath(cr, 38, 1.4, 2.2, 1.3, 10);
    SetColour(cr, kShine, 0.85);
    cairo_fill(cr);

    // Eye: big, dark and shiny.
    cairo_new_path(cr);
    EllipsePath(cr, 12, -5, 5, 6.6);
    SetColour(cr, kNose);
    cairo_fill(cr);
    cairo_new_path(cr);
    EllipsePath(cr, 13.6, -8, 2.1, 2.1);
    SetColour(cr, kShine);
    cairo_fill(cr);
    cairo_new_path(cr);
    EllipsePath(cr, 10.4, -2, 1, 1);
    cairo_fill(cr);

    // Ear last: it hangs over the side of the head.
    cairo_save(cr);
    cairo_translate(cr, -13, -21);
    cairo_rotate(cr, Radians(25 + earSwing));
    DrawGroup(cr, {{EarPath, kEar}}, kLine);
    cairo_restore(cr);
}

}  // namespace

void DrawDog(cairo_t* cr, Pose pose, double reach) {
    const PoseShape& s = kPoses[int(pose)];
    cairo_save(cr);
    cairo_translate(cr, 62, 88 - s.lift);
    cairo_rotate(cr, Radians(s.tilt));

    std::vector<Part> far;
    Append(far, LegParts(-5, 9, s.farHind, reach, kFurShade));
    Append(far, LegParts(30, 7, s.farFront, reach, kFurShade));
    DrawGroup(cr, far, kLine);

    cairo_save(cr);
    cairo_translate(cr, -27, -10);
    cairo_rotate(cr, Radians(-s.tail));
    DrawGroup(cr, {{TailPath, kFur, 9}}, kLine);
    cairo_restore(cr);

    std::vector<Part> near;
    Append(near, LegParts(-17, 9, s.nearHind, reach, kFur));
    Append(near, LegParts(20, 9, s.nearFront, reach, kFur));
    DrawGroup(cr, near, kLine);

    DrawGroup(cr, {{BodyPath, kFur}, {HaunchPath, kFur}}, kLine);
    FillInside(cr, BodyPath, [](cairo_t* c) { EllipsePath(c, 6, 19, 26, 9, -4); }, kCream);

    // Collar round the neck, its tag hanging at the front.
    DrawGroup(cr, {{[](cairo_t* c) {
                        cairo_move_to(c, 18, -26);
                        cairo_curve_to(c, 24, -14, 38, -10, 50, -14);
                    },
                    kCollar, 6}},
              kLine * 0.8);
    DrawGroup(cr, {{[](cairo_t* c) { EllipsePath(c, 40, -7, 4, 4); }, kTag}}, kLine * 0.6);

    cairo_translate(cr, 37, -46);
    DrawHead(cr, s.mouthOpen, s.ear);
    cairo_restore(cr);
}

void DrawDogFace(cairo_t* cr) {
    constexpr double kThin = 1.0;
    cairo_save(cr);
    cairo_translate(cr, 0, -1);
    auto ear = [](double side) {
        return [side](cairo_t* c) {
            // Hanging from the crown, down the side of the face.
            cairo_move_to(c, 16 + side * 5, 7.5);
            cairo_curve_to(c, 16 + side * 11, 5.5, 16 + side * 15.5, 12, 16 + side * 14, 20);
            cairo_curve_to(c, 16 + side * 13, 24, 16 + side * 9.5, 23, 16 + side * 9, 18);
            cairo_curve_to(c, 16 + side * 8.5, 14, 16 + side * 6, 11, 16 + side * 5, 7.5);
            cairo_close_path(c);
        };
    };
    auto head = [](cairo_t* c) { EllipsePath(c, 16, 17, 11, 10); };
    DrawGroup(cr, {{[](cairo_t* c) {
                        cairo_move_to(c, 8, 27.5);
                        cairo_curve_to(c, 12, 30, 20, 30, 24, 27.5);
                    },
                    kCollar, 2.6}},
              kThin);
    DrawGroup(cr, {{head, kFur}}, kThin);
    FillInside(cr, head, [](cairo_t* c) { EllipsePath(c, 16, 23, 7.5, 5); }, kCream);
    DrawGroup(cr, {{ear(-1), kEar}, {ear(1), kEar}}, kThin);
    // Eyes set pixel by pixel: at this size smooth edges only blur them.
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    for (int left : {10, 19}) {
        cairo_new_path(cr);
        cairo_rectangle(cr, left, 14, 3, 3);
        cairo_rectangle(cr, left + 1, 13, 1, 1);
        cairo_rectangle(cr, left + 1, 17, 1, 1);
        SetColour(cr, kNose);
        cairo_fill(cr);
        cairo_rectangle(cr, left + 1, 14, 1, 1);
        SetColour(cr, kShine);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    for (double x : {8.8, 23.2}) {
        cairo_new_path(cr);
        EllipsePath(cr, x, 19.5, 1.8, 1);
        SetColour(cr, kBlush, 0.8);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    EllipsePath(cr, 16, 19.6, 2.6, 1.8);
    SetColour(cr, kNose);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 16, 21);
    cairo_line_to(cr, 16, 22.5);
    cairo_move_to(cr, 13.5, 22.5);
    cairo_curve_to(cr, 14.5, 24, 16, 23.5, 16, 22.5);
    cairo_curve_to(cr, 16, 23.5, 17.5, 24, 18.5, 22.5);
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    DrawGroup(cr, {{[](cairo_t* c) { EllipsePath(c, 16, 29, 1.6, 1.6); }, kTag}}, 0.6);
    cairo_restore(cr);
}

}  // namespace art
