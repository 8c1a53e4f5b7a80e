// Desktop-only choices (the zoom, puzzles with one answer), kept between runs in Mirovane.conf beside the
// settings file. The handheld's settings store never holds them.
#pragma once

// The zoom the player chose last, or 0 when none is kept (a first start, or Automatic size).
int StoredZoom();

// Keeps `zoom` for the next start; 0 forgets it.
void StoreZoom(int zoom);

// Whether the player asked for puzzles with one answer (off when never asked).
bool StoredOneAnswer();
void StoreOneAnswer(bool on);
