#pragma once
// Where an installed program finds its data files (the sounds and the
// instruction texts): ../share/corvellan from the executable's folder, so an
// install into any prefix finds its own files. The working folder and the
// executable's folder are searched before it (a run from the build tree finds
// the copies beside the executable).

#include <QString>

namespace corvellan {

// The installed data folder of the running executable; empty before the
// application object exists.
QString installedDataFolder();

} // namespace corvellan
