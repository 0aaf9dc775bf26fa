#pragma once

#include <map>
#include <string>
#include <vector>

// A piece of music as its score file writes it (tools/music/README.md tells
// the format): the header (tempo, key, meter, whether it loops), the voices
// (an instrument each), the sections (bars of each voice) and the order the
// sections play in.
namespace music {

// An instrument and its settings, as the score's voice line gives them.
struct Voice {
  std::string name;
  std::string kind;  // sine, triangle, saw, pulse, bell, kick, snare, hat, openhat, crash, tom
  std::map<std::string, double> settings;

  bool IsDrum() const;
  // The setting, or fallback when the line does not give it.
  double Get(const std::string& key, double fallback) const;
};

// One sounding note (or drum hit) of the whole piece, in sixteenth steps
// from the piece's start.
struct Note {
  int voice = 0;   // index into Score::voices
  int step = 0;    // where it starts
  int length = 1;  // how long it is held
  int pitch = 0;   // MIDI number (60 is middle C); drums ignore it
  double velocity = 1.0;
};

struct Score {
  std::string title;
  double tempo = 120;  // quarter notes a minute
  std::string key;     // such as "D minor"
  int meter = 4;       // quarter notes a bar
  bool loop = false;   // plays over and over, or once
  double tail = 2.0;   // seconds the last notes ring on (pieces played once)
  int echoSteps = 3;   // the echo's delay, in sixteenths
  double echoFeedback = 0.35;
  std::vector<Voice> voices;
  std::vector<Note> notes;  // in the order the song plays them
  int steps = 0;            // the length of the song in sixteenths

  int StepsPerBar() const { return 4 * meter; }
  double SecondsPerStep() const { return 15.0 / tempo; }
};

// Reads a score; false with a message naming the line when it is not one.
bool ParseScore(const std::string& text, Score& score, std::string& error);

}  // namespace music
