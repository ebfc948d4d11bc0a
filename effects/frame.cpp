// The whole-image effect frame: the signed form of the channel bytes (each XOR 0x80, so a
// byte read as signed is its value - 128), the means shifted into it and back, and the
// temporary arrays that the effects keep between runs.
//
// The effects of this folder compute in the signed form without putting it on the image:
// a rule on the signed value s is a rule on u - 128, so each kernel applies it to the
// stored byte directly and the image never passes through a toggled state that anyone
// could see. The procedures below put the form on for callers that want it.
#include "effects/effects.h"
#include "effects/frame.h"

std::vector<uint32_t> TurnCopy(1), TransformCopy(1), CircleCopy(1);
std::vector<int32_t> ChannelDistances(3);

int32_t TogglePixelSignedForm(int32_t row, int32_t column) {
  ImagePixels[size_t(row) * (size_t(bildlang) + 1) + size_t(column)] ^= 0x808080u;
  return 0;
}

int32_t ToggleImageSignedForm() {
  const size_t cells = (size_t(bildlang) + 1) * (size_t(bildhoch) + 1);
  PixelCell* p = ImagePixels.data();
  for (size_t i = 0; i < cells && i < ImagePixels.size(); ++i) p[i] ^= 0x808080u;
  return 0;
}

int32_t AverageColorToSigned() {
  AllRot -= 128;
  AllGruen -= 128;
  AllBlau -= 128;
  return 0;
}

int32_t AverageColorToUnsigned() {
  AllRot += 128;
  AllGruen += 128;
  AllBlau += 128;
  return 0;
}
