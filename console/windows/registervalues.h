#pragma once

#include <QtCore/qnamespace.h>

#include <array>
#include <cstdint>

// Arithmetic on register values as the block panel shows and sends them.

// Register values travel as 16-bit words.
inline constexpr int REGISTER_MIN = -32768;
inline constexpr int REGISTER_MAX = 32767;

// A scale of 0 or one that is not a finite number counts as 1.
double usableScale(double scale);

// The raw register word for a shown value: value / scale, rounded to the nearest integer with
// halves away from zero, clamped to the 16-bit range (never wrapped).
int16_t registerWordFromShown(double shown, double scale);

// Clamps a shown limit so that its raw value fits the 16-bit range.
double clampShownToRegister(double shown, double scale);

// Colours of the REF, INPUT, FREEZE and BARS fields from the low byte of a STATUS word.
enum StatusField { StatusRef, StatusInput, StatusFreeze, StatusBars, STATUS_FIELDS };
std::array<Qt::GlobalColor, STATUS_FIELDS> statusFieldColours(int statusWord);
