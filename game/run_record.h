#pragma once
// Recording a run and playing one back, at the place where the frame reads
// its input. runFrame reads the clock, the cursor and the keys through
// frameTickCount, frameCursorPos and frameKeyboardState: from the host, or
// from the call being played. While a recording is on, every call's readings
// go into a small buffer handed to the sink at least once a second of game
// time, when full, and at the end.
#include <cstddef>
#include <cstdint>

#include "base/geometry.h"
#include "game/run_file.h"

// Takes the bytes of the recording; false when they could not be written.
using RunSink = bool (*)(const char* bytes, size_t size, void* user);

// Starts recording the calls from the next one on; the header goes first.
void startRunRecording(const RunHeader& header, RunSink sink, void* user);
// Hands what is buffered to the sink (the game waits for events, say).
void flushRunRecording();
// Writes the end line and the rest of the buffer; recording is off after.
// False when any write failed since the start.
bool stopRunRecording();
bool runRecordingOn();
// What the recording holds so far: the highest stage and kill count.
RunEnd runRecordingSummary();

// The next frame calls read `call` instead of the host, until the next
// playRunCall or playLiveInput. The call is borrowed, not copied.
void playRunCall(const RunCall* call);
void playLiveInput();

// For runFrame only: one call begins and ends; the three readings.
void beginFrameCall();
void endFrameCall();
uint32_t frameTickCount();
Point frameCursorPos();
void frameKeyboardState(uint8_t keyState[256]);
