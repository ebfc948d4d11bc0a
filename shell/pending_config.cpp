// Stand-ins for state and procedures of other parts that the configuration calls. Each
// one stands in only until its own code lands: then its definition here is deleted (a
// duplicate-definition link error names the one to remove).
#include <cstdint>
#include <string>

// Image documents: image globals and the blank start image.
int32_t CurrentImage = 0, ImageCount = 0;

// Painting tools.
uint8_t fillstate = 0;
int32_t paintstate = 0;
int32_t drawform_current = 0, drawforms_length = 0, drawstep = 0;
int16_t ToolFormStates[9] = {478, 474, 476, 480, 0, 486, 467, 488, 0};
void LoadBrushForms() {}
void ReloadStructures() {}

// Application shell: splash, settings window, colour displays, tip of the day.
int32_t TipNumber = 0;
void ApplyColorButtonStyle(int32_t) {}
void RefreshStyleSample(int32_t) {}
void ShowBackgroundColor(int32_t) {}
void UpdateColourDisplays() {}
