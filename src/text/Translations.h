#pragma once

namespace text {

// Adds every translation built into the program (resources/i18n) to the
// languages `UseLanguage` knows. Idempotent.
void AddBuiltInTranslations();

}  // namespace text
