#pragma once

namespace lab {

// Adds every translation built into the program (resources/i18n) to the
// languages `UseLanguage` knows. Idempotent.
void AddBuiltInTranslations();

}  // namespace lab
