#pragma once
// Runs the command of a clicked menu button: its menu key picks the handler, the handler
// switches on the command number.
namespace zen {

struct Game;

// The command of record index of the button table; an unknown key or command does nothing.
void execute_command(Game& game, int index);
// The button pass, then the command of the button it found clicked.
void run_button_pass(Game& game);

} // namespace zen
