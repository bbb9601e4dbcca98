#pragma once

namespace app {

class Fermat;

// View ▸ Language: the original's texts and every language the program has,
// each by its own name; a choice switches every text of the window at once
// (Fermat::setLanguage) and is handed to Fermat::languageChosen.
void AddLanguageMenu(Fermat& window);

}  // namespace app
