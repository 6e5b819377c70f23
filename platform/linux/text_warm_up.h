#pragma once
// Looking up and opening the font while the window opens and the pictures
// fade in, so that the first frame with text does not wait for fontconfig.

// Starts the lookup on a thread of its own; nothing happens when that fails,
// and the first line of text then looks the font up itself.
void startTextWarmUp();
// Waits for the lookup to end; called before the program ends.
void finishTextWarmUp();
