#include "game/app/GDialogOptions.h"

#include <algorithm>
#include <iterator>

#include "GUI/graphics/GDevice.h"
#include "GUI/platform/GGame.h"
#include "GUI/toolkit/GButton.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"
#include "game/app/GameLanguage.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GModelMedia.h"

namespace {

// The rows from the top; more settings are more rows, and the dialog grows.
constexpr struct {
  OPTION_ID id;
  Text label;
} kRows[] = {
    {OPTION_VOLUME, Text::OptionsVolume}, {OPTION_MUSIC_VOLUME, Text::OptionsMusicVolume},
    {OPTION_SOUND, Text::OptionsSound},   {OPTION_DISPLAY, Text::OptionsDisplay},
    {OPTION_SCALE, Text::OptionsScale},   {OPTION_MOTION, Text::OptionsMotion},
    {OPTION_SPEED, Text::OptionsSpeed},   {OPTION_STEERING, Text::OptionsSteering},
    {OPTION_KEYS, Text::OptionsKeys},     {OPTION_LANGUAGE, Text::OptionsLanguage},
};

constexpr int kRowWidth = 500;
constexpr int kRowHeight = 36;
constexpr int kRowStep = 44;
constexpr int kValueLeft = 240;
constexpr int kDoneWidth = 150;
constexpr int kDoneHeight = 44;
constexpr unsigned kRowStyle = STYLE_VISIBLE;
constexpr unsigned kDoneStyle = kFramedStyle | kClosingButtonStyle;
constexpr unsigned kDoneId = 100;

// The volume's choices: every tenth from 0 to 100 per cent, and the volume
// itself when it is none of them (a settings file may hold any).
void VolumeChoices(int volume, std::vector<CFerroString>& texts, std::vector<int>& values) {
  for (int v = 0; v <= 100; v += 10) {
    if (volume > v - 10 && volume < v) values.push_back(volume);
    values.push_back(v);
  }
  for (int v : values) texts.push_back(GameText(Text::Percent, {CFerroString().IntToString(v, 1)}));
}

}  // namespace

void GDialogOptions::OnInitDlg() {
  GDialog::OnInitDlg();
  SetWindowText(GameText(Text::OptionsCaption).c_str());
  int y = 0;
  for (const auto& row : kRows) {
    auto* made = new GOptionRow;
    made->Create(this, kRowStyle, 0, y, kRowWidth, kRowHeight, row.id, GameText(row.label).c_str());
    made->SetValueLeft(kValueLeft);
    y += kRowStep;
  }
  auto* done = new GButton;
  done->Create(this, kDoneStyle, (kRowWidth - kDoneWidth) / 2, y + kRowStep - kRowHeight,
               kDoneWidth, kDoneHeight, kDoneId, GameText(Text::ButtonDone).c_str());
  ShowSettings();
  CorrectSize(20);
  AlignToCenter();
}

GComponent* GDialogOptions::GetDefaultFocus() {
  GComponent* first = Find(static_cast<unsigned>(kRows[0].id));
  return IsUsableFocus(first) ? first : GDialog::GetDefaultFocus();
}

void GDialogOptions::ShowSettings() {
  GGameDM* app = GGameDM::Of(game);
  if (!app) return;
  const CGameSettings now = app->CurrentSettings();
  const auto row = [this](OPTION_ID id) {
    return static_cast<GOptionRow*>(Find(static_cast<unsigned>(id)));
  };
  for (OPTION_ID id : {OPTION_VOLUME, OPTION_MUSIC_VOLUME}) {
    const int volume = id == OPTION_VOLUME ? now.volume : now.musicVolume;
    std::vector<CFerroString> texts;
    std::vector<int> values;
    VolumeChoices(volume, texts, values);
    if (GOptionRow* r = row(id)) r->Show(texts, values, volume);
  }
  if (GOptionRow* r = row(OPTION_SOUND))
    r->Show({GameText(Text::SoundOff), GameText(Text::SoundOn)}, {0, 1}, now.muted ? 0 : 1);
  if (GOptionRow* r = row(OPTION_DISPLAY))
    r->Show({GameText(Text::DisplayFullScreen), GameText(Text::DisplayWindow)},
            {static_cast<int>(WindowMode::FullScreen), static_cast<int>(WindowMode::Window)},
            static_cast<int>(now.windowMode));
  if (GOptionRow* r = row(OPTION_SCALE))
    r->Show({GameText(Text::ScaleSharp), GameText(Text::ScaleInteger), GameText(Text::ScaleOff)},
            {static_cast<int>(ScaleMode::Sharp), static_cast<int>(ScaleMode::Integer),
             static_cast<int>(ScaleMode::Off)},
            static_cast<int>(now.scale));
  if (GOptionRow* r = row(OPTION_SPEED))
    r->Show({GameText(Text::SpeedSlow), GameText(Text::SpeedNormal), GameText(Text::SpeedFast)},
            {static_cast<int>(GameSpeed::slow), static_cast<int>(GameSpeed::normal),
             static_cast<int>(GameSpeed::fast)},
            static_cast<int>(now.speed));
  if (GOptionRow* r = row(OPTION_STEERING))
    r->Show({GameText(Text::SteeringKeepGoing), GameText(Text::SteeringStopOnRelease)},
            {static_cast<int>(Steering::keepGoing), static_cast<int>(Steering::stopOnRelease)},
            static_cast<int>(now.steering));
  if (GOptionRow* r = row(OPTION_MOTION))
    r->Show({GameText(Text::MotionSmooth), GameText(Text::MotionClassic)},
            {static_cast<int>(MotionMode::Smooth), static_cast<int>(MotionMode::Classic)},
            static_cast<int>(now.motion));
  if (GOptionRow* r = row(OPTION_KEYS))
    r->SetValueText(
        GameText(now.keys == CPlayerKeys() ? Text::KeysStandard : Text::KeysCustom).c_str());
  if (GOptionRow* r = row(OPTION_LANGUAGE)) {
    // Each language by its own name.
    std::vector<CFerroString> names;
    std::vector<int> indices;
    int current = 0;
    for (const GAME_LANGUAGE& language : GameLanguages()) {
      if (app->GetLanguage() == language.code) current = static_cast<int>(indices.size());
      indices.push_back(static_cast<int>(indices.size()));
      names.push_back(language.name);
    }
    r->Show(names, indices, current);
  }
}

void GDialogOptions::OnTextsChanged() {
  SetWindowText(GameText(Text::OptionsCaption).c_str());
  for (const auto& row : kRows) {
    auto* shown = static_cast<GOptionRow*>(Find(static_cast<unsigned>(row.id)));
    if (!shown) continue;
    shown->SetWindowText(GameText(row.label).c_str());
    shown->ForgetChoices();
  }
  if (GComponent* done = Find(kDoneId)) done->SetWindowText(GameText(Text::ButtonDone).c_str());
  ShowSettings();
  Invalidate();
}

void GDialogOptions::OnUpdateModal() {
  GDialog::OnUpdateModal();
  ShowSettings();
}

void GDialogOptions::EndModal(int result) {
  const bool wasModal = IsModal();
  GDialog::EndModal(result);
  if (!wasModal) return;
  if (GGameDM* app = GGameDM::Of(game)) app->SaveSettings();
}

void GDialogOptions::Apply(unsigned option, int value) {
  GGameDM* app = GGameDM::Of(game);
  GDevice* device = game ? game->GetDevice() : nullptr;
  if (!app || !device) return;
  switch (option) {
    case OPTION_VOLUME:
      app->SetVolume(value);
      // The player hears the new volume at once.
      if (app->IsSoundOn())
        GModelMedia::PlaySound(ANIMATION_LIST_UNIT::GetInstance()->soundTreasure);
      break;
    case OPTION_MUSIC_VOLUME:
      app->SetMusicVolume(value);
      break;
    case OPTION_SOUND:
      if (app->IsSoundOn() != (value != 0)) app->ToggleSound();
      break;
    case OPTION_DISPLAY:
      if (device->IsFullScreen() != (value == static_cast<int>(WindowMode::FullScreen)))
        game->ToggleFullScreen();
      break;
    case OPTION_SCALE:
      device->SetScaleMode(static_cast<ScaleMode>(value));
      break;
    case OPTION_SPEED:
      app->SetSpeed(static_cast<GameSpeed>(value));
      break;
    case OPTION_STEERING:
      app->SetSteering(static_cast<Steering>(value));
      break;
    case OPTION_MOTION:
      app->SetMotion(static_cast<MotionMode>(value));
      break;
    case OPTION_KEYS:
      keysDialog.BeginModal();
      break;
    case OPTION_LANGUAGE:
      if (value >= 0 && value < static_cast<int>(GameLanguages().size()))
        app->SetLanguage(GameLanguages()[static_cast<size_t>(value)].code);
      break;
    default:
      break;
  }
}

void GOptionRow::Show(const std::vector<CFerroString>& texts, const std::vector<int>& shown,
                      int value) {
  const auto at = std::find(shown.begin(), shown.end(), value);
  const int choice = at == shown.end() ? 0 : static_cast<int>(at - shown.begin());
  if (shown != values) {
    values = shown;
    SetChoices(texts, choice);
  } else {
    SetIndex(choice);
  }
}

void GOptionRow::OnChange(int choice) {
  if (parent && choice >= 0 && choice < static_cast<int>(values.size()))
    static_cast<GDialogOptions*>(parent)->Apply(id, values[static_cast<size_t>(choice)]);
}

void GOptionRow::OnAction() {
  if (parent) static_cast<GDialogOptions*>(parent)->Apply(id, 0);
}
