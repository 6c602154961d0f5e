#include "core/globals.h"

#include <stdexcept>

namespace dunax::core {

Globals g;

namespace {

template <typename Record>
auto& pick(Record& r, int k, bool wantItem) {
    switch (k) {
        case 1:
            return wantItem ? r.Item1 : r.Value1;
        case 2:
            return wantItem ? r.Item2 : r.Value2;
        case 3:
            return wantItem ? r.Item3 : r.Value3;
        case 4:
            return wantItem ? r.Item4 : r.Value4;
        case 5:
            return wantItem ? r.Item5 : r.Value5;
        case 6:
            return wantItem ? r.Item6 : r.Value6;
        default:
            throw std::out_of_range("ChItemRecord: parameter number outside 1..6");
    }
}

}  // namespace

std::string& ChItemRecord::value(int k) {
    return pick(*this, k, false);
}
std::string& ChItemRecord::item(int k) {
    return pick(*this, k, true);
}
const std::string& ChItemRecord::value(int k) const {
    return pick(*this, k, false);
}
const std::string& ChItemRecord::item(int k) const {
    return pick(*this, k, true);
}

}  // namespace dunax::core
