#include "game/app/GMapCheck.h"

#include <memory>

#include "GUI/foundation/CFerroStream.h"
#include "GUI/foundation/CFerroStreamFile.h"

namespace {

// A name for the copy of the map in folder that no file has yet.
CFerroString FreeCopyPath(GPlatform* platform, const CFerroString& folder) {
  for (unsigned n = platform->GetTick();; ++n) {
    const CFerroString path =
        folder + "check-" + CFerroString().IntToString(n % 1000000, 6) + ".dmm";
    if (platform->GetFileLength(path.c_str()) == -1) return path;
  }
}

}  // namespace

GMapCheck::~GMapCheck() {
  Cancel();
}

bool GMapCheck::Start(GPlatform* on, const CFerroString& programPath, const std::string& mapBytes) {
  Cancel();
  platform = on;
  report = CCheckReport();
  if (!platform) {
    state = State::failed;
    return false;
  }
  copyPath = FreeCopyPath(platform, platform->GetPathToTemp());
  const bool written = WriteFileReplacing(copyPath.c_str(), [&mapBytes](CFerroStream& stream) {
    return stream.Write(mapBytes.data(), static_cast<unsigned>(mapBytes.size())) == mapBytes.size();
  });
  if (!written || !platform->StartProcess(programPath.c_str(), {copyPath}, &process)) {
    Finish(State::failed);
    return false;
  }
  state = State::running;
  return true;
}

bool GMapCheck::Poll() {
  if (state != State::running) return false;
  const long long states = report.GetStates();
  const int taken = report.GetTaken();
  std::string text;
  const bool open = platform->ReadProcess(&process, text);
  report.Take(text);
  if (report.IsSpoiled())
    Finish(State::failed);
  else if (report.HasAnswer())
    Finish(State::answered);
  else if (!open)
    // The output ended without an answer: the program broke off.
    Finish(State::failed);
  return state != State::running || report.GetStates() != states || report.GetTaken() != taken;
}

void GMapCheck::Cancel() {
  if (state == State::running) Finish(State::idle);
}

void GMapCheck::Finish(State now) {
  if (platform) {
    platform->TerminateProcess(&process);
    if (!copyPath.IsEmpty()) platform->RemoveFile(copyPath.c_str());
  }
  copyPath = "";
  state = now;
}

double GMapCheck::GetFraction() const {
  if (state == State::answered) return 1.0;
  const int parts = report.GetTreasures() + 1;
  return static_cast<double>(report.GetTaken()) / parts;
}

CFerroString GMapCheck::GroupDigits(long long n) {
  const std::string digits = std::to_string(n);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    const size_t left = digits.size() - i;
    if (i > 0 && digits[i - 1] != '-' && left % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return CFerroString(grouped.c_str());
}

CFerroString GMapCheck::ProgressText() const {
  return "States searched: " + GroupDigits(report.GetStates());
}

CFerroString GMapCheck::AnswerText() const {
  switch (state == State::answered ? report.GetAnswer() : CCheckReport::Answer::none) {
    case CCheckReport::Answer::won: {
      // The time the winning play takes, in minutes and seconds (ticks of 50 ms).
      const unsigned seconds = (report.GetTicks() + 10) / 20;
      const int holes = report.GetHoles();
      return "This map can be won in " +
             CFerroString().IntToString(static_cast<int>(seconds / 60)) + ":" +
             CFerroString().IntToString(static_cast<int>(seconds % 60), 2) + " with " +
             CFerroString().IntToString(holes) + (holes == 1 ? " hole" : " holes") + " dug.";
    }
    case CCheckReport::Answer::noWin:
      return "No way to win was found (searched " + GroupDigits(report.GetStates()) + " states).";
    case CCheckReport::Answer::noRunner:
      return "The map has no runner.";
    case CCheckReport::Answer::noExit:
      return "The map has no exit.";
    case CCheckReport::Answer::noTreasure:
      return "There is no treasure.";
    case CCheckReport::Answer::none:
      break;
  }
  return "The check could not run.";
}
