#pragma once
// Recording the page's runs (app/web/web_record.cpp).

// A run starts: the one before, if still recorded, is ended first.
void webStartRecording();
// The run is over (Esc, or a watch takes the canvas).
void webStopRecording();
