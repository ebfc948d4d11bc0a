// Snapshot tool Glimvane: a tray program that, for a recording time, looks at the clipboard
// every few seconds and saves each new picture there as the next numbered file in
// "Screenshots". All paths are relative to the folder that holds the program.
#pragma once
#include <cstdint>
#include <string>

extern std::string SnapshotExtensions[3];    // ".bmp", ".jpg", ".png" by format 0..2
extern std::string SnapshotFormatNames[3];   // "Bitmap", "JPEG", "PNG": the format list
extern int32_t RecordingTimeMs;              // (hours * 3600 + minutes * 60 + seconds) * 1000
extern int32_t CheckInterval;                // seconds between two looks, 2..60
extern int32_t ElapsedTime;                  // recording time used by this walk, ms
extern uint32_t LastClipboardBitmap;         // clipboard contents saved last (0: none)
extern int32_t SnapshotFormat;               // 0 BMP, 1 JPEG, 2 PNG
extern int32_t JpegQuality;                  // 1..10
extern int32_t WalkNumber;                   // the recording's number in the file names
extern int32_t ShotNumber;                   // the snapshot's number in the file names
extern int32_t QuitFlag;                     // "Beenden" ends the event loop
// 1 while the desktop has no tray: the tool shows its small window 5 instead.
extern int32_t WindowInsteadOfTray;

// The whole program: start, event loop until "Beenden", settings written. Exit code.
int GlimvaneMain();
// Start: windows, settings, tray icon or window, popup menu and timer. False when window 1
// cannot be opened.
bool GlimvaneStart();
void OnGlimvaneEvent(int event);             // one event taken by the loop
void GlimvaneFinish();                       // settings written, windows closed
// The timer tick: a new clipboard picture becomes the next snapshot file.
void SaveNewClipboardImage();
std::string SnapshotFileName();              // of the next snapshot
void SplitRecordingTime(int32_t ms, int32_t& hours, int32_t& minutes, int32_t& seconds);
void ReadSnapshotSettings();                 // "Einstellungen.ini" into the gadgets
void WriteSnapshotSettings();                // the gadgets' applied values into the file
// The walk number after the highest one among the files in "Screenshots" (0 when none).
int32_t NextFreeWalkNumber();
void ResetSnapshotState();
