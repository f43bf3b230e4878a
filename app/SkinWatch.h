// --watch: the skin given with --skin is read again whenever one of its files changes, and the
// window repaints with it. A save that cannot be loaded leaves the last good skin on the window;
// why is said on standard error and in the window's log tab, and so is the next good save.
#pragma once

#include <string>

namespace app {

class TForm1;

// Watches the skin source (a skin folder, a package file, or the name of one in the skin
// directory) the command line gave. Returns why it cannot (a skin stored in the program, a
// source that is nowhere), or an empty text.
std::string WatchSkin(TForm1& form, const std::string& source);

} // namespace app
