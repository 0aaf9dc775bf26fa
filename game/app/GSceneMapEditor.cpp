#include "game/app/GSceneMapEditor.h"

#include "game/app/GButtonDM.h"

GSceneMapEditor::GSceneMapEditor() {
  auto* cancel = new GButtonDM;
  cancel->Create(this, STYLE_VISIBLE | STYLE_BORDER | STYLE_ALPHA | STYLE_FRAMED | STYLE_CANCEL_BUTTON,
                 (width - 300) / 2, height - 100, 300, 54, CMD_EDITOR_CANCEL, "Cancel");
}
