#pragma once
// The window's command table and menu bar: every command's name, caption, shortcut, check
// item and handler, and the five menus with their entries.
class QMenuBar;
class QPalette;

namespace tarnwick {

class TMainForm;

// Makes one action per command, stores it in the window's member of the command's name and
// connects it to the command's handler. The actions belong to the window, so that their
// shortcuts work wherever the focus is, also for commands that stand in no menu.
void BuildCommandActions(TMainForm& form);

// Fills the menu bar with the five menus, each entry showing its command's caption and
// shortcut, with separator rules between groups. Every menu gets the palette: a menu is a
// window of its own and inherits none.
void BuildMenuEntries(TMainForm& form, QMenuBar& bar, const QPalette& menuPalette);

}  // namespace tarnwick
