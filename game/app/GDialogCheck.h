#pragma once

#include <string>

#include "GUI/toolkit/GDialog.h"
#include "game/app/GMapCheck.h"

class GStatic;

// The map editor's "Check" box. While the check runs it shows the states
// searched and a bar, and its one button, Cancel (Enter, Escape), ends the
// search at once; the editor goes on drawing beneath it. Then it shows the
// answer with OK, and beside OK "Show" when the map can be won, which plays
// the win in the game scene and comes back to the editor.
class GDialogCheck : public GDialog {
 public:
  // Checks the map whose file's bytes are mapBytes with the check program
  // and shows the box modally; the answer shows at once when the program
  // cannot start.
  void Check(const std::string& mapBytes);

  // Builds the box for the check's state: the progress, or the answer.
  void OnInitDlg() override;
  // Reads the check's progress on every tick, while the box is open.
  void OnUpdateModal() override;
  // The bar under the progress text, in the theme's colours.
  void OnRender() override;
  // However the box closes, a search still running ends.
  void EndModal(int result) override;

  const GMapCheck& GetCheck() const { return check; }

 private:
  // Lays the box out anew, centred, keeping it modal.
  void Rebuild();

  GMapCheck check;
  GStatic* progress = nullptr;
  // Where the bar is drawn (client coordinates); empty when there is none.
  CFerroRect bar;
};
