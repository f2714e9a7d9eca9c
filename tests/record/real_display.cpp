// With the real display there are no recorded calls: the tests read the surface.
#include "fakes.h"

namespace tori::testing {

std::vector<std::string>& displayCalls()
{
    static std::vector<std::string> none;
    return none;
}

bool recordingDisplay() { return false; }

} // namespace tori::testing
