#include "game/sim/CCheckReport.h"

#include <sstream>

#include "game/model/GPlayerKeys.h"

namespace {

constexpr const char* kRefusals[] = {"runner", "exit", "treasure"};

// The words of a line after its keyword, all numbers of the given count and
// nothing more; false otherwise.
bool ReadNumbers(std::istringstream& words, std::vector<long long>& numbers, size_t count) {
  numbers.assign(count, 0);
  for (long long& n : numbers)
    if (!(words >> n) || n < 0) return false;
  std::string extra;
  return !(words >> extra);
}

}  // namespace

std::string CCheckReport::ProgressLine(long long states, int taken, int treasures) {
  return "progress " + std::to_string(states) + " " + std::to_string(taken) + " " +
         std::to_string(treasures) + "\n";
}

std::string CCheckReport::WonText(unsigned ticks, int holes, long long states,
                                  const std::vector<SIM_EVENT>& events) {
  std::ostringstream out;
  out << "won " << ticks << " " << holes << " " << states << "\n";
  for (const SIM_EVENT& e : events) {
    // A script names every key by its action's default key; Escape has none.
    const char* name = GetPlayerKeyName(GetPlayerKey(e.key));
    out << e.tick << (e.down ? " down " : " up ") << (name ? name : "Escape") << "\n";
  }
  out << "end\n";
  return out.str();
}

std::string CCheckReport::NoWinLine(long long states) {
  return "nowin " + std::to_string(states) + "\n";
}

std::string CCheckReport::RefusedLine(Answer why) {
  const int i = static_cast<int>(why) - static_cast<int>(Answer::noRunner);
  return i >= 0 && i < 3 ? std::string("refused ") + kRefusals[i] + "\n" : std::string();
}

void CCheckReport::Take(const std::string& text) {
  pending += text;
  size_t from = 0;
  for (size_t end; (end = pending.find('\n', from)) != std::string::npos; from = end + 1) {
    if (!spoiled) TakeLine(pending.substr(from, end - from));
  }
  pending.erase(0, from);
}

void CCheckReport::TakeLine(const std::string& line) {
  if (inScript) {
    if (line != "end") {
      script += line + "\n";
      return;
    }
    std::string error;
    inScript = false;
    spoiled = !GSimulation::ParseScript(script, events, error) || events.empty();
    return;
  }
  std::istringstream words(line);
  std::string keyword;
  words >> keyword;
  std::vector<long long> n;
  // Nothing but the answer ends the report.
  if (answer != Answer::none) {
    spoiled = true;
  } else if (keyword == "progress" && ReadNumbers(words, n, 3) && n[1] <= n[2]) {
    states = n[0];
    taken = static_cast<int>(n[1]);
    treasures = static_cast<int>(n[2]);
  } else if (keyword == "won" && ReadNumbers(words, n, 3) && n[0] <= 0xFFFFFFFFll &&
             n[1] <= 1 << 30) {
    answer = Answer::won;
    inScript = true;
    ticks = static_cast<unsigned>(n[0]);
    holes = static_cast<int>(n[1]);
    states = n[2];
  } else if (keyword == "nowin" && ReadNumbers(words, n, 1)) {
    answer = Answer::noWin;
    states = n[0];
  } else if (keyword == "refused") {
    std::string what, extra;
    words >> what;
    spoiled = !!(words >> extra);
    for (int i = 0; i < 3; ++i)
      if (what == kRefusals[i])
        answer = static_cast<Answer>(static_cast<int>(Answer::noRunner) + i);
    spoiled = spoiled || answer == Answer::none;
  } else {
    spoiled = true;
  }
}
