#pragma once
// What the browser page asks of the program besides playing: it calls these by name.

extern "C" {

// Whether the file at path is a save the game can read, told in the language of code lang (ja,
// en, ...; another is English): an empty text for a good save, else what to tell the player,
// as a save found at the start is told. The page imports a save only when this says it is good,
// so a damaged file never replaces the player's save. The text stays until the next call.
const char* zentrifa_check_save(const char* path, const char* lang);
}
