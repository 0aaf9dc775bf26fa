// WAV sounds and Ogg Vorbis music through the sound layer, mixed without an
// audio device.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "GUI/foundation/MEM_DATA.h"
#include "GUI/sound/GAudioMixer.h"
#include "GUI/sound/GMusicDecoder.h"
#include "GUI/sound/GSoundBass.h"
#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/OggPages.h"

namespace {

// Mixes buffers of odd sizes, the music reading before each, and checks the output.
void MixMusic(GAudioMixer& mixer, int buffers) {
  for (int i = 0; i < buffers; ++i) {
    mixer.StepMusic();
    std::vector<float> out(2 * (700 + 97 * i), 5.0f);
    GAudioMixer::Callback(&mixer, reinterpret_cast<uint8_t*>(out.data()),
                          static_cast<int>(out.size() * sizeof(float)));
    for (float v : out) FuzzCheck(v >= -1.0f && v <= 1.0f, "mixed music stays within -1..1");
  }
}

}  // namespace

int FuzzWav(const uint8_t* data, size_t size) {
  if (size > INT_MAX) return 0;
  static GAudioMixer mixer;
  static const bool ready = mixer.InitWithoutDevice(44100);
  FuzzCheck(ready, "the mixer sets up without a device");
  MEM_DATA file;
  file.data = const_cast<unsigned char*>(data);
  file.size = static_cast<int>(size);
  GSoundSampleBass sample(mixer);
  if (!sample.LoadFromMemory(file)) return 0;

  // A looping channel and a plain one, mixed over odd-sized buffers of float
  // stereo so that short sounds end and looping ones wrap.
  std::unique_ptr<GSoundChannel> looping = sample.Play(true, 70);
  std::unique_ptr<GSoundChannel> once = sample.Play(false, 100);
  FuzzCheck(looping && once, "a fresh sample has free voices");
  for (int i = 0; i < 3; ++i) {
    std::vector<float> out(2 * 700, 5.0f);
    GAudioMixer::Callback(&mixer, reinterpret_cast<uint8_t*>(out.data()),
                          static_cast<int>(out.size() * sizeof(float)));
    for (float v : out) FuzzCheck(v >= -1.0f && v <= 1.0f, "mixed output stays within -1..1");
    FuzzCheck(looping->GetState() == 0, "a looping channel keeps playing");
  }
  sample.Unload();
  FuzzCheck(looping->GetState() == -1 && once->GetPosition() == -1,
            "an unloaded sample's channels name nothing");
  return 0;
}

int FuzzMusic(const uint8_t* data, size_t size) {
  Bytes ogg(data, data + size);
  FixOggChecksums(ogg);
  const std::string path = FuzzScratchFolder() + "music.ogg";
  FILE* file = std::fopen(path.c_str(), "wb");
  FuzzCheck(file != nullptr, "the scratch file opens");
  if (!ogg.empty()) std::fwrite(ogg.data(), 1, ogg.size(), file);
  std::fclose(file);

  // The decoder round its loop: three passes, or as far as 100000 frames go.
  GMusicDecoder decoder;
  if (decoder.Open(path.c_str(), 44100) != GMusicDecoder::OpenResult::Ok) {
    FuzzCheck(!decoder.GetFault().empty() && !decoder.IsOpen(), "a refused file says why");
    return 0;  // the stream would refuse it the same way, and say so on standard error
  }
  FuzzCheck(decoder.GetLength() > 0, "an open piece has frames");
  const size_t limit = static_cast<size_t>(std::min<int64_t>(3 * decoder.GetLength(), 100000));
  std::vector<float> out(2 * 4099);
  for (size_t done = 0; done < limit;) {
    const size_t got = decoder.Read(out.data(), 4099, true);
    done += got;
    if (got < 4099) {
      FuzzCheck(decoder.IsDamaged() && !decoder.IsOpen(), "a loop ends only when damaged");
      break;
    }
  }

  // The same file as the game's music: played once, then looping (another
  // request, so the stream opens it again).
  GAudioMixer mixer;
  FuzzCheck(mixer.InitWithoutDevice(44100), "the mixer sets up without a device");
  mixer.MusicPlay(path.c_str(), MusicMode::Once);
  MixMusic(mixer, 3);
  mixer.MusicPlay(path.c_str(), MusicMode::Loop);
  MixMusic(mixer, 40);
  return 0;
}
