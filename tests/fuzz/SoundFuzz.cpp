// WAV sounds through the sound layer, mixed without an audio device.
#include <climits>
#include <cmath>
#include <vector>

#include "GUI/foundation/MEM_DATA.h"
#include "GUI/sound/GAudioMixer.h"
#include "GUI/sound/GSoundBass.h"
#include "tests/fuzz/FuzzTargets.h"

namespace {

constexpr int kRate = 44100;
constexpr int kFrames = 700;  // one odd-sized buffer of interleaved float stereo

GAudioMixer& Mixer() {
  static GAudioMixer mixer;
  static const bool ready = mixer.InitWithoutDevice(kRate);
  FuzzCheck(ready, "the mixer sets up without a device");
  return mixer;
}

void MixAndCheck(GAudioMixer& mixer) {
  std::vector<float> out(2 * kFrames, 5.0f);
  GAudioMixer::Callback(&mixer, reinterpret_cast<uint8_t*>(out.data()),
                        static_cast<int>(out.size() * sizeof(float)));
  for (float v : out) FuzzCheck(v >= -1.0f && v <= 1.0f, "mixed output stays within -1..1");
}

}  // namespace

int FuzzWav(const uint8_t* data, size_t size) {
  if (size > INT_MAX) return 0;
  GAudioMixer& mixer = Mixer();
  MEM_DATA file;
  file.data = const_cast<unsigned char*>(data);
  file.size = static_cast<int>(size);
  GSoundSampleBass sample(mixer);
  if (!sample.LoadFromMemory(file)) return 0;

  // A looping channel and a plain one at different volumes, mixed over
  // several buffers so that short sounds end and looping ones wrap.
  std::unique_ptr<GSoundChannel> looping = sample.Play(true, 70);
  std::unique_ptr<GSoundChannel> once = sample.Play(false, 100);
  FuzzCheck(looping && once, "a fresh sample has free voices");
  for (int i = 0; i < 3; ++i) {
    MixAndCheck(mixer);
    FuzzCheck(looping->GetState() == 0, "a looping channel keeps playing");
  }
  once->Stop();
  FuzzCheck(once->GetState() == -1, "a stopped channel is stopped");
  MixAndCheck(mixer);
  looping->Stop();
  sample.Unload();
  FuzzCheck(looping->GetState() == -1 && looping->GetPosition() == -1,
            "an unloaded sample's channels name nothing");
  return 0;
}
