// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The explanatory text of the help window: eight paragraphs, each ended by a
// carriage return and a line feed.
QString testoAiuto();
