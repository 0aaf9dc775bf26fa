// WAV sounds through the sound layer, mixed without an audio device.
#include <climits>
#include <vector>

#include "GUI/foundation/MEM_DATA.h"
#include "GUI/sound/GAudioMixer.h"
#include "GUI/sound/GSoundBass.h"
#include "tests/fuzz/FuzzTargets.h"

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
