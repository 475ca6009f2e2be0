#pragma once

// Crossover position (0..1, as stored per state and shown on the split knobs) to frequency in
// Hz: 0 gives 30 Hz, 0.5 gives 700 Hz, 1 gives 16 kHz. Single precision, in this order, so
// every caller gets the same value for the same position.
inline float splitFrequency (float position)
{
    return (position * 10699900.0f) / (15300.0f - position * 14630.0f) + 30.0f;
}
