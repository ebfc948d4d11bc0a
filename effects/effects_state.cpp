#include "effects/effects.h"

std::vector<uint8_t> RedHold(1), GreenHold(1), BlueHold(1);
int32_t RedHoldWidth = 0, RedHoldHeight = 0, GreenHoldWidth = 0, GreenHoldHeight = 0,
        BlueHoldWidth = 0, BlueHoldHeight = 0;

void ResetEffectsState() {
  RedHold.assign(1, 0);
  GreenHold.assign(1, 0);
  BlueHold.assign(1, 0);
  TurnCopy.assign(1, 0);
  TransformCopy.assign(1, 0);
  CircleCopy.assign(1, 0);
  AreaTransformCopy.assign(1, 0);
  ChannelDistances.assign(3, 0);
  RedHoldWidth = RedHoldHeight = GreenHoldWidth = GreenHoldHeight = BlueHoldWidth = BlueHoldHeight = 0;
}
