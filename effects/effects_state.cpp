#include "effects/effects.h"

void ResetEffectsState() {
}
