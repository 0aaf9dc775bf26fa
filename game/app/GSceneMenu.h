#pragma once

#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/GDialogCredits.h"
#include "game/app/GDialogSaveLoad.h"

// The main menu: the title picture with six command buttons. It owns the
// dialogs other scenes borrow: the quit question, the saved-game dialog and
// the credits. They are members, not children: they join the tree of the
// current scene only while they are shown.
class GSceneMenu : public GScene {
 public:
  GSceneMenu();

  GMessageBoxQuit quitBox;
  GDialogSaveLoad saveLoadDialog;
  GDialogCredits creditsDialog;
};
