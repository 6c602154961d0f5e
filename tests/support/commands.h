// Short ways to build and search the command lists that the simulated unit logs.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace dunax::testing {

using Cmds = std::vector<std::string>;

// The parts one after the other.
inline Cmds concat(std::initializer_list<Cmds> parts) {
    Cmds out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// How often cmd stands in c.
inline long countOf(const Cmds& c, const std::string& cmd) {
    return std::count(c.begin(), c.end(), cmd);
}

}  // namespace dunax::testing
