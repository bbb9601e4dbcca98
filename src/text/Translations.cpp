#include "text/Translations.h"

#include <string_view>
#include <vector>

#include "text/Language.h"

namespace text {

std::vector<std::string_view> TranslationTexts();  // generated from resources/i18n/*.json

void AddBuiltInTranslations() {
  static const bool added = [] {
    for (std::string_view text : TranslationTexts()) {
      // A built-in catalogue is checked by the tests; one that fails to read
      // leaves its language out rather than stopping the program.
      (void)AddCatalogue(text);
    }
    return true;
  }();
  (void)added;
}

}  // namespace text
