#pragma once

// The process-wide pseudo-random generator: one 32-bit state, zero at start.
// Every draw advances the state once (state * 0x6487ED55 + 0x361962E9) and maps
// state / 0xFFFFFFFF, a value in 0..1, onto the requested range. Identical
// seeds give identical sequences. Used from the main thread only.

void SetRndIndex(unsigned int state);
unsigned int GetRndIndex();

// An integer in lo..hi, both included.
int GetRndInt(int lo, int hi);
// An unsigned integer in lo..hi, both included.
unsigned int GetRndDword(unsigned int lo, unsigned int hi);
// A value in lo..hi.
float GetRndFloat(float lo, float hi);
double GetRndDouble(double lo, double hi);
