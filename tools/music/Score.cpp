#include "tools/music/Score.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <sstream>

namespace music {

namespace {

const std::set<std::string> kMelodic = {"sine", "triangle", "saw", "pulse", "bell"};
const std::set<std::string> kDrums = {"kick", "snare", "hat", "openhat", "crash", "tom"};
const std::set<std::string> kSettings = {"gain",      "pan",     "attack", "decay",  "sustain",
                                         "release",   "width",   "detune", "cutoff", "envcut",
                                         "resonance", "vibrato", "rate",   "echo",   "reverb",
                                         "octave",    "ratio",   "index",  "tune"};
const std::set<std::string> kModes = {"major",    "minor",  "dorian",
                                      "phrygian", "lydian", "mixolydian"};
const std::set<std::string> kKeywords = {"title", "tempo", "key",     "meter", "loop",
                                         "tail",  "echo",  "section", "song",  "voice"};

// The notes one voice plays in one section, with steps from the section's start.
struct Track {
  std::vector<Note> notes;
  int steps = 0;
  std::vector<size_t> bars;  // where each bar's notes begin in notes, for %
  std::vector<size_t> tied;  // notes held on into the next token
};

using Section = std::map<int, Track>;  // by voice

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// The parser keeps the first problem it meets; every step gives up once
// there is one, returning false.
class Parser {
 public:
  explicit Parser(Score& score) : score(score) {}

  const std::string& Problem() const { return problem; }

  // One line's words, and its text after the first word (all of it when the
  // line continues the bars of the voice before).
  bool Line(const std::vector<std::string>& words, const std::string& rest,
            const std::string& all) {
    const std::string& keyword = words[0];
    if (keyword[0] == '|') {
      if (lastVoice < 0) return Fail("bars come after a voice's name");
      return Bars(lastVoice, all);
    }
    lastVoice = -1;
    if (keyword == "title") {
      score.title = rest;
      return true;
    }
    if (keyword == "tempo")
      return Count(words, 2) && Number(words[1], "the tempo", 40, 300, score.tempo);
    if (keyword == "key") return Key(words);
    if (keyword == "meter") {
      double meter = 0;
      if (!Count(words, 2) || !Number(words[1], "the meter", 1, 12, meter)) return false;
      score.meter = static_cast<int>(meter);
      return meter == score.meter || Fail("a meter is a whole number of quarter notes");
    }
    if (keyword == "loop") {
      if (!Count(words, 2)) return false;
      score.loop = words[1] == "yes";
      return score.loop || words[1] == "no" || Fail("loop is yes or no");
    }
    if (keyword == "tail")
      return Count(words, 2) && Number(words[1], "the tail", 0, 30, score.tail);
    if (keyword == "echo") {
      double steps = 0;
      if (!Count(words, 3) || !Number(words[1], "the echo's steps", 1, 64, steps) ||
          !Number(words[2], "the echo's feedback", 0, 0.9, score.echoFeedback))
        return false;
      score.echoSteps = static_cast<int>(steps);
      return true;
    }
    if (keyword == "voice") return VoiceLine(words);
    if (keyword == "section") {
      if (!Count(words, 2)) return false;
      if (sections.count(words[1])) return Fail("section " + words[1] + " is there already");
      current = &sections[words[1]];
      return true;
    }
    if (keyword == "song") {
      song.assign(words.begin() + 1, words.end());
      return !song.empty() || Fail("a song names its sections");
    }
    const int voice = FindVoice(keyword);
    if (voice < 0) return Fail("\"" + keyword + "\" is no keyword and no voice");
    if (!current) return Fail("bars come in a section");
    lastVoice = voice;
    return Bars(voice, rest);
  }

  // Lays the song's sections one after the other.
  bool Finish() {
    if (score.voices.empty()) return Fail("the score has no voices");
    if (song.empty()) return Fail("the score has no song line");
    for (const auto& [name, section] : sections)
      for (const auto& [voice, track] : section)
        if (!track.tied.empty())
          return Fail("in section " + name + ", " + score.voices[voice].name + " ends on a tie");
    int offset = 0;
    for (const std::string& entry : song) {
      const size_t sign = entry.find_first_of("+-");
      const std::string name = entry.substr(0, sign);
      double shift = 0;
      if (sign != std::string::npos &&
          !Number(entry.substr(sign), "a transposition", -24, 24, shift))
        return false;
      const auto found = sections.find(name);
      if (found == sections.end())
        return Fail("the song names a section \"" + name + "\" not written");
      int steps = -1;
      for (const auto& [voice, track] : found->second) {
        if (steps >= 0 && track.steps != steps)
          return Fail("in section " + name + ", " + score.voices[voice].name + " has " +
                      std::to_string(track.steps / score.StepsPerBar()) + " bars, not " +
                      std::to_string(steps / score.StepsPerBar()));
        steps = track.steps;
        for (Note note : track.notes) {
          note.step += offset;
          if (!score.voices[voice].IsDrum()) note.pitch += static_cast<int>(shift);
          score.notes.push_back(note);
        }
      }
      if (steps <= 0) return Fail("section " + name + " is empty");
      offset += steps;
    }
    score.steps = offset;
    std::stable_sort(score.notes.begin(), score.notes.end(),
                     [](const Note& a, const Note& b) { return a.step < b.step; });
    return true;
  }

 private:
  bool Fail(const std::string& why) {
    if (problem.empty()) problem = why;
    return false;
  }

  bool Count(const std::vector<std::string>& words, size_t n) {
    return words.size() == n || Fail(words[0] + " takes " + std::to_string(n - 1) + " word(s)");
  }

  bool Number(const std::string& text, const std::string& what, double low, double high,
              double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != 0) return Fail(what + " \"" + text + "\" is not a number");
    if (value < low || value > high)
      return Fail(what + " lies between " + std::to_string(low) + " and " + std::to_string(high));
    return true;
  }

  // A pitch such as c4, f#3 or bb2 at pos of text: its MIDI number (60 is
  // middle C), or -1.
  int Pitch(const std::string& text, size_t& pos) {
    static const int kLetters[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (pos >= text.size() || text[pos] < 'a' || text[pos] > 'g')
      return Fail("\"" + text + "\" is not a note (a pitch such as c4, f#3 or bb2, then a length)"),
             -1;
    int semitone = kLetters[text[pos] - 'a'];
    ++pos;
    if (pos < text.size() && text[pos] == '#') {
      ++semitone;
      ++pos;
    } else if (pos + 1 < text.size() && text[pos] == 'b' && std::isdigit(text[pos + 1])) {
      --semitone;
      ++pos;
    }
    if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos])))
      return Fail("\"" + text + "\" has no octave"), -1;
    return 12 * (text[pos++] - '0' + 1) + semitone;
  }

  // A length (w h q e s, a dot adding half) at pos of text: its sixteenth
  // steps, or -1.
  int Length(const std::string& text, size_t& pos) {
    static const std::string kNames = "whqes";
    const size_t kind = pos < text.size() ? kNames.find(text[pos]) : std::string::npos;
    if (kind == std::string::npos) return Fail("\"" + text + "\" has no length (w h q e s)"), -1;
    ++pos;
    int steps = 16 >> kind;
    if (pos < text.size() && text[pos] == '.') {
      if (steps == 1) return Fail("\"" + text + "\": a dotted sixteenth is no whole step"), -1;
      steps += steps / 2;
      ++pos;
    }
    return steps;
  }

  bool Key(const std::vector<std::string>& words) {
    if (!Count(words, 3)) return false;
    std::string tonic = words[1] + "0";
    tonic[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(tonic[0])));
    size_t pos = 0;
    if (Pitch(tonic, pos) < 0 || pos != tonic.size() || !kModes.count(words[2])) {
      problem.clear();
      return Fail("a key is a tonic and a mode, such as \"D minor\"");
    }
    score.key = words[1] + " " + words[2];
    return true;
  }

  int FindVoice(const std::string& name) const {
    for (size_t i = 0; i < score.voices.size(); ++i)
      if (score.voices[i].name == name) return static_cast<int>(i);
    return -1;
  }

  bool VoiceLine(const std::vector<std::string>& words) {
    if (words.size() < 3) return Fail("a voice has a name and a kind");
    if (FindVoice(words[1]) >= 0) return Fail("voice " + words[1] + " is there already");
    if (kKeywords.count(words[1])) return Fail("a voice cannot be called " + words[1]);
    Voice voice;
    voice.name = words[1];
    voice.kind = words[2];
    if (!kMelodic.count(voice.kind) && !kDrums.count(voice.kind))
      return Fail("\"" + voice.kind + "\" is no kind of voice");
    for (size_t i = 3; i < words.size(); ++i) {
      const size_t eq = words[i].find('=');
      const std::string key = words[i].substr(0, eq);
      if (eq == std::string::npos || !kSettings.count(key))
        return Fail("\"" + words[i] + "\" is no setting (name=value)");
      if (!Number(words[i].substr(eq + 1), key, -1e6, 1e6, voice.settings[key])) return false;
    }
    score.voices.push_back(voice);
    return true;
  }

  bool Bars(int voice, const std::string& text) {
    Track& track = (*current)[voice];
    std::vector<std::string> bars(1);
    for (char c : text) {
      if (c == '|')
        bars.emplace_back();
      else
        bars.back() += c;
    }
    // Bars are what lies between bar lines; a line may start and end with one.
    if (Words(bars.front()).empty()) bars.erase(bars.begin());
    if (!bars.empty() && Words(bars.back()).empty()) bars.pop_back();
    if (bars.empty()) return Fail("no bars");
    for (const std::string& bar : bars)
      if (!Bar(voice, track, bar)) return false;
    return true;
  }

  bool Bar(int voice, Track& track, const std::string& text) {
    const int stepsPerBar = score.StepsPerBar();
    const int start = track.steps;
    const std::vector<std::string> words = Words(text);
    if (words.size() == 1 && words[0] == "%") {
      if (track.bars.empty()) return Fail("% repeats the bar before, and there is none");
      if (!track.tied.empty()) return Fail("% cannot follow a tie");
      const size_t from = track.bars.back(), to = track.notes.size();
      track.bars.push_back(to);
      for (size_t i = from; i < to; ++i) {
        Note note = track.notes[i];
        note.step += stepsPerBar;
        track.notes.push_back(note);
      }
      track.steps += stepsPerBar;
      return true;
    }
    track.bars.push_back(track.notes.size());
    if (score.voices[voice].IsDrum()) {
      std::string grid;
      for (const std::string& w : words) grid += w;
      if (static_cast<int>(grid.size()) != stepsPerBar)
        return Fail("a drum bar has " + std::to_string(stepsPerBar) + " steps, not " +
                    std::to_string(grid.size()));
      for (int i = 0; i < stepsPerBar; ++i) {
        const char c = grid[static_cast<size_t>(i)];
        if (c == '.') continue;
        const size_t kind = std::string("oxX").find(c);
        if (kind == std::string::npos)
          return Fail(std::string("'") + c + "' is no drum step (x X o .)");
        track.notes.push_back({voice, start + i, 1, 0, kind == 0 ? 0.5 : kind == 1 ? 1.0 : 1.3});
      }
      track.steps += stepsPerBar;
      return true;
    }
    for (size_t w = 0; w < words.size(); ++w) {
      std::string token = words[w];
      // A chord's pitches are words of their own: [c4 e4 g4]h.
      if (token[0] == '[')
        while (token.find(']') == std::string::npos && w + 1 < words.size())
          token += " " + words[++w];
      if (!Token(voice, track, token)) return false;
    }
    return track.steps - start == stepsPerBar ||
           Fail("a bar of " + score.voices[voice].name + " holds " +
                std::to_string(track.steps - start) + " steps, not " + std::to_string(stepsPerBar) +
                ":" + text);
  }

  bool Token(int voice, Track& track, const std::string& token) {
    std::vector<int> pitches;
    size_t pos = 0;
    if (token[0] == '-') {
      pos = 1;
    } else if (token[0] == '[') {
      const size_t close = token.find(']');
      if (close == std::string::npos) return Fail("\"" + token + "\" does not close its chord");
      for (const std::string& p : Words(token.substr(1, close - 1))) {
        size_t at = 0;
        pitches.push_back(Pitch(p, at));
        if (pitches.back() < 0) return false;
        if (at != p.size()) return Fail("\"" + p + "\" in a chord has a length of its own");
      }
      if (pitches.empty()) return Fail("an empty chord");
      pos = close + 1;
    } else {
      pitches.push_back(Pitch(token, pos));
      if (pitches.back() < 0) return false;
    }
    const int length = Length(token, pos);
    if (length < 0) return false;
    bool tie = false;
    double velocity = 1.0;
    for (; pos < token.size(); ++pos) {
      if (token[pos] == '~' && !pitches.empty())
        tie = true;
      else if (token[pos] == '!')
        velocity = 1.25;
      else if (token[pos] == '\'')
        velocity = 0.7;
      else
        return Fail("\"" + token + "\" has something after its length");
    }
    const int octave = static_cast<int>(score.voices[voice].Get("octave", 0));
    for (int& p : pitches) p += 12 * octave;
    std::vector<size_t> tied;
    if (!track.tied.empty()) {
      // The notes tied before go on for this length instead of sounding anew.
      std::vector<int> before;
      for (size_t i : track.tied) before.push_back(track.notes[i].pitch);
      if (before != pitches) return Fail("\"" + token + "\" is not the note tied to it");
      for (size_t i : track.tied) track.notes[i].length += length;
      if (tie) tied = track.tied;
    } else {
      for (int p : pitches) {
        if (tie) tied.push_back(track.notes.size());
        track.notes.push_back({voice, track.steps, length, p, velocity});
      }
    }
    track.tied = tied;
    track.steps += length;
    return true;
  }

  Score& score;
  std::string problem;
  std::map<std::string, Section> sections;
  Section* current = nullptr;
  int lastVoice = -1;  // the voice whose bars a line starting with | goes on with
  std::vector<std::string> song;
};

}  // namespace

bool Voice::IsDrum() const {
  return kDrums.count(kind) > 0;
}

double Voice::Get(const std::string& key, double fallback) const {
  const auto found = settings.find(key);
  return found == settings.end() ? fallback : found->second;
}

bool ParseScore(const std::string& text, Score& score, std::string& error) {
  score = Score();
  Parser parser(score);
  std::istringstream in(text);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    // A comment starts with a # of its own; a sharp follows its note's letter.
    for (size_t hash = line.find('#'); hash != std::string::npos; hash = line.find('#', hash + 1))
      if (hash == 0 || std::isspace(static_cast<unsigned char>(line[hash - 1]))) {
        line.erase(hash);
        break;
      }
    const std::vector<std::string> words = Words(line);
    if (words.empty()) continue;
    std::string rest = line.substr(line.find(words[0]) + words[0].size());
    rest.erase(0, rest.find_first_not_of(" \t"));
    rest.erase(rest.find_last_not_of(" \t\r") + 1);
    if (!parser.Line(words, rest, line)) {
      error = "line " + std::to_string(number) + ": " + parser.Problem();
      return false;
    }
  }
  if (!parser.Finish()) {
    error = parser.Problem();
    return false;
  }
  return true;
}

}  // namespace music
