// The one way the windows ask for help: by a help context number or by a
// topic path inside the help ("SyntaxHelp\exif.htm#make"). The program's help
// window puts itself in here; tests put a recorder in.
#pragma once

#include <QString>

#include <functional>

namespace orvalis {

struct THelpRoute {
  std::function<void(const QString& topicPath)> Topic;
  std::function<void(int context)> Context;
};

void ShowHelpTopic(const QString& topicPath);
void ShowHelpContext(int context);

// Replaces the route and returns the one that was there. An empty route
// brings back the built-in one: a topic opens its page from the folder
// "help" beside the program when that page exists.
THelpRoute SetHelpRoute(THelpRoute route);

}  // namespace orvalis
