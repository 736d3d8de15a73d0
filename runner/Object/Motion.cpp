// Motion in degrees, with the angle conversion the runner has always used.
#include "Object/Motion.h"

#include <cmath>

#include "Variable/CInstance.h"

namespace {

constexpr double kPi = 3.1415927; // the single-precision value, so angles land where they always did
constexpr double kSnap = 0.0001;

double Radians(double degrees) { return degrees * kPi / 180.0; }

double SnapToWhole(double value) {
    double whole = std::round(value);
    return std::fabs(value - whole) < kSnap ? whole : value;
}

} // namespace

void MotionFromPolar(CInstance& instance) {
    double angle = Radians(instance.direction);
    instance.hspeed = float(instance.speed * std::cos(angle));
    instance.vspeed = float(-instance.speed * std::sin(angle));
}

void PolarFromMotion(CInstance& instance) {
    const double h = instance.hspeed;
    const double v = instance.vspeed;
    double direction;
    if (h == 0 && v == 0) {
        direction = 0;
    } else if (h == 0) {
        direction = v > 0 ? 270 : 90;
    } else {
        direction = std::atan2(-v, h) * 180.0 / kPi;
        if (direction < 0) direction += 360;
        if (direction >= 360) direction -= 360;
    }
    instance.direction = float(SnapToWhole(direction));
    instance.speed = float(SnapToWhole(std::sqrt(h * h + v * v)));
}

void ApplyMotion(CInstance& instance) {
    if (instance.friction != 0) {
        const float before = instance.speed;
        if (instance.speed > 0) {
            instance.speed = instance.speed > instance.friction ? instance.speed - instance.friction : 0;
        } else if (instance.speed < 0) {
            instance.speed = -instance.speed > instance.friction ? instance.speed + instance.friction : 0;
        }
        if (instance.speed != before) MotionFromPolar(instance);
    }
    if (instance.gravity != 0) {
        double angle = Radians(instance.gravity_direction);
        instance.hspeed = float(instance.hspeed + instance.gravity * std::cos(angle));
        instance.vspeed = float(instance.vspeed - instance.gravity * std::sin(angle));
        PolarFromMotion(instance);
        instance.MarkBoxDirty();
    }
    if (instance.hspeed != 0 || instance.vspeed != 0)
        instance.MoveTo(instance.x + instance.hspeed, instance.y + instance.vspeed);
}
