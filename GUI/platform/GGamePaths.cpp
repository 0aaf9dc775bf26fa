// The cached path getters of the application. Each text is computed once;
// an empty cache means not computed yet. Every result ends with a separator.
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"

namespace {

// The last character of a base path, its separator.
CFerroString SeparatorOf(const CFerroString& base) {
  return base.IsEmpty() ? CFerroString("/") : CFerroString(base[base.GetLength() - 1]);
}

CFerroString Under(const CFerroString& base, const char* folder) {
  return base + folder + SeparatorOf(base);
}

}  // namespace

CFerroString GGame::GameFolderPath(CFerroString& cache, const char* folder, bool useSlash) {
  if (cache.IsEmpty() && platform) {
    CFerroString base = platform->GetPathToGame();
    cache = useSlash ? base + folder + CFerroString(platform->GetSlash()) : Under(base, folder);
  }
  return cache;
}

CFerroString GGame::GetPathToObject() {
  return GameFolderPath(pathObject, "Object", true);
}
CFerroString GGame::GetPathToImage() {
  return GameFolderPath(pathImage, "Image", true);
}
CFerroString GGame::GetPathToFont() {
  return GameFolderPath(pathFont, "Font", true);
}
CFerroString GGame::GetPathToMusic() {
  return GameFolderPath(pathMusic, "Music", false);
}
CFerroString GGame::GetPathToSound() {
  return GameFolderPath(pathSound, "Sound", false);
}
CFerroString GGame::GetPathToVoice() {
  return GameFolderPath(pathVoice, "Voice", false);
}
CFerroString GGame::GetPathToMaps() {
  return GameFolderPath(pathMaps, "Maps", false);
}
CFerroString GGame::GetPathToInit() {
  return GameFolderPath(pathInit, "Init", false);
}

CFerroString GGame::GetPathToUsers() {
  if (pathUsers.IsEmpty() && platform) pathUsers = Under(platform->GetPathToTemp(), "Users");
  return pathUsers;
}

CFerroString GGame::GetPathToProfile() {
  if (pathProfile.IsEmpty() && !userName.IsEmpty()) {
    CFerroString users = GetPathToUsers();
    if (!users.IsEmpty()) pathProfile = Under(users, userName.c_str());
  }
  return pathProfile;
}

CFerroString GGame::GetPathToSavedGame() {
  if (pathSavedGame.IsEmpty() && platform) {
    // Without a profile there is no saved-game folder (rather than a folder
    // relative to wherever the process happens to run).
    CFerroString profile = GetPathToProfile();
    if (profile.IsEmpty()) return pathSavedGame;
    pathSavedGame = Under(profile, "save");
    platform->CreateFolder(pathSavedGame.c_str());
  }
  return pathSavedGame;
}

CFerroString GGame::GetPathToConfig() {
  if (pathConfig.IsEmpty() && platform) pathConfig = platform->GetPathToTemp();
  return pathConfig;
}

CFerroString GGame::GetPathToDownloadedMaps() {
  if (pathDownloadedMaps.IsEmpty() && platform) {
    CFerroString config = GetPathToConfig();
    if (config.IsEmpty()) return pathDownloadedMaps;
    pathDownloadedMaps = Under(config, "DownloadedMaps");
    platform->CreateFolder(pathDownloadedMaps.c_str());
  }
  return pathDownloadedMaps;
}

CFerroString GGame::GetPathToAutosave() {
  if (pathAutosave.IsEmpty() && platform) {
    pathAutosave = Under(platform->GetPathToTemp(), "autosave");
    platform->CreatePath(pathAutosave);
  }
  return pathAutosave;
}
