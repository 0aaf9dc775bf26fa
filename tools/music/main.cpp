// digmaze-music SCORE OUT.wav: renders a piece of the game's music from its
// score (tools/music/README.md) into a 16-bit stereo WAV file at 44100 Hz,
// as loud as every other piece, for tools/regenerate.sh to encode. For a
// piece that loops it prints the loop's comments for the encoder.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/music/Loudness.h"
#include "tools/music/Score.h"
#include "tools/music/Synth.h"
#include "tools/sound/WavFile.h"

namespace {

constexpr const char* kUsage =
    "usage: digmaze-music SCORE OUT.wav\n"
    "  renders SCORE as 16-bit stereo at 44100 Hz into OUT.wav; for a piece that\n"
    "  loops, prints LOOPSTART=<frame> LOOPLENGTH=<frames>\n";

constexpr int kRate = 44100;
// Frames of what plays around the loop kept on either side of it, so the
// encoder sees the sound go on across the loop point: more than its longest
// block (2048 frames).
constexpr size_t kMargin = 4096;
// Every piece is made this loud (LUFS) and may peak at most this high (dB of
// full scale), leaving room for what the encoder adds.
constexpr double kLoudness = -18.0;
constexpr double kHighestPeak = -1.5;

bool WriteWav(const std::string& path, const std::vector<double>& samples) {
  const std::vector<uint8_t> bytes = Pcm16Wav(2, kRate, samples);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "digmaze-music: cannot read %s\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  music::Score score;
  std::string error;
  if (!music::ParseScore(text.str(), score, error)) {
    std::fprintf(stderr, "digmaze-music: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  music::Audio audio = music::Render(score, kRate, kMargin);
  // Measured over what plays: the loop, or the whole piece.
  const size_t first = audio.loopStart;
  const size_t count = audio.loopLength ? audio.loopLength : audio.frames();
  const double loudness = music::Loudness(audio.samples.data() + 2 * first, count, kRate);
  const double gain = music::FromDecibels(kLoudness - loudness);
  for (double& v : audio.samples) v *= gain;
  const double peak = music::PeakDecibels(audio.samples.data(), audio.frames());
  if (peak > kHighestPeak) {
    std::fprintf(stderr, "digmaze-music: %s peaks at %.2f dB at %.1f LUFS, above %.1f dB\n",
                 argv[1], peak, kLoudness, kHighestPeak);
    return 1;
  }
  if (!WriteWav(argv[2], audio.samples)) {
    std::fprintf(stderr, "digmaze-music: cannot write %s\n", argv[2]);
    return 1;
  }
  if (audio.loopLength)
    std::printf("LOOPSTART=%zu LOOPLENGTH=%zu\n", audio.loopStart, audio.loopLength);
  std::fprintf(stderr, "digmaze-music: %s: %.1f s, %.1f LUFS before, peak %.2f dB\n", argv[1],
               static_cast<double>(count) / kRate, loudness, peak);
  return 0;
}
