#pragma once

namespace corvellan {
int runCommandLine(int argc, char** argv);
}
