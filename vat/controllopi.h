// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// True when the partita IVA has exactly eleven characters and the eleventh is
// the check digit of the first ten: digits in odd places are added as they
// are, digits in even places are doubled (less 9 when the double exceeds 9),
// and the check digit completes the sum to a multiple of ten. The characters
// are not tested for being digits; the digit boxes keep them so.
bool ControlloPI(const QString &numero);
