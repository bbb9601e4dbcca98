#pragma once

#include <QString>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "text/Catalogue.h"

class QObject;

namespace app {

// The catalogue's text of `key` in the language in force, for a widget.
[[nodiscard]] QString Tr(std::string_view key);
[[nodiscard]] QString Tr(std::string_view key, std::initializer_list<text::TextArg> args);

// Gives `object`'s property (a QAction's or a label's "text", a menu's
// "title", a widget's "windowTitle", "toolTip", "statusTip", ...) the text of
// `key`, now and again after every change of language (Reword), for as long
// as the object lives. The window's words live in the catalogue, never in
// the widgets.
void WordObject(QObject* object, std::string key, const char* property);
template <class T>
T* Word(T* object, std::string key, const char* property = "text") {
  WordObject(object, std::move(key), property);
  return object;
}

// Words every object given to Word anew in the language in force.
void Reword();

}  // namespace app
