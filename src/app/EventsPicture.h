#pragma once

#include <string>
#include <vector>

namespace corvellan {

// "render events [--dims FILE] [--sweep] -o OUT.png": a picture of the
// "Valve Events" window as it opens on the gear.
int renderEventsCommand(const std::vector<std::string>& args);

} // namespace corvellan
