#include "GUI/graphics/PresentPath.h"

#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>

PresentPath ParsePresentPath(const char* name) {
  if (!name) return PresentPath::Automatic;
  if (std::strcmp(name, "renderer") == 0) return PresentPath::Renderer;
  if (std::strcmp(name, "surface") == 0) return PresentPath::WindowSurface;
  return PresentPath::Automatic;
}

bool IsSoftwareRenderer(const char* rendererName, const char* glRenderer) {
  if (rendererName && std::strcmp(rendererName, "software") == 0) return true;
  if (!glRenderer) return false;
  // The text reads like "llvmpipe (LLVM 15.0.6, 256 bits)" or "Software
  // Rasterizer"; the driver's name may come in any case.
  std::string text(glRenderer);
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* software : {"llvmpipe", "softpipe", "swrast", "software rasterizer"})
    if (text.find(software) != std::string::npos) return true;
  return false;
}

bool HasGraphicsDevice(const std::string& deviceFolder) {
  std::error_code error;
  for (const auto& node : std::filesystem::directory_iterator(deviceFolder + "dri", error))
    if (node.path().filename().string().rfind("card", 0) == 0 ||
        node.path().filename().string().rfind("renderD", 0) == 0)
      return true;
  return std::filesystem::exists(deviceFolder + "nvidia0", error);
}
