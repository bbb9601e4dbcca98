#include "window/Words.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

#include <vector>

#include "text/Language.h"

namespace app {
namespace {

struct Worded {
  QPointer<QObject> object;
  std::string key;
  const char* property;
};

std::vector<Worded>& worded() {
  static std::vector<Worded> list;
  return list;
}

}  // namespace

QString Tr(std::string_view key) { return QString::fromStdString(text::Tr(key)); }

QString Tr(std::string_view key, std::initializer_list<text::TextArg> args) {
  return QString::fromStdString(text::Tr(key, args));
}

void WordObject(QObject* object, std::string key, const char* property) {
  if (!object) return;
  object->setProperty(property, Tr(key));
  auto& list = worded();
  // Objects gone since are dropped here, so the list stays as long as the window's words.
  std::erase_if(list, [](const Worded& w) { return w.object.isNull(); });
  list.push_back({object, std::move(key), property});
}

void Reword() {
  auto& list = worded();
  std::erase_if(list, [](const Worded& w) { return w.object.isNull(); });
  for (const Worded& w : list) w.object->setProperty(w.property, Tr(w.key));
}

}  // namespace app
