#pragma once

// Placeholder until the shipped pages land.
constexpr const char* kHelpPage = "help/index.html";
constexpr const char* kCreditsText = "Programming: the Digmaze team";
