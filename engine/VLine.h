// The vertical line of the tree that joins a bar's end to a population.
#pragma once

#include "framework/ui/Controls.h"

class VLine : public fw::Line {};
