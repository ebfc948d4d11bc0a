// Helpers shared by the drawing panel's handler and the drawing-settings bar's handler.
#pragma once
#include <initializer_list>
#include <string>

namespace tools_ui {
void Hide(std::initializer_list<int> gadgets, bool hide);
void SetState(int gadget, int state);
int State(int gadget);                      // 0 for a gadget that does not exist
void SetText(int gadget, const std::string& text);
void ShowOptionImage(int image);            // on 88 and 173
// Sets panel spin `panel` and its bar twin (panel + 85) to value, showing prefix + value.
void SetTwinSpins(int panel, const std::string& prefix, int value);
void FocusCanvas();
void Drain();
void SetTolerance(int value);               // tolleranz and both spins
void RaiseToleranceForSoftEdges(int softGadget);
void SetDrawStep(int value);                // drawstep, both sliders and both captions
void SetOpacitySliders(int value);          // 107 and 192
int CapSprayAmount(int n);
void SetRadius(int radius);                 // both spins, the brush form, the smear buffer
void OptionButton(int radiusGadget);        // 88 / 173 by the selected tool
}  // namespace tools_ui
