#include "sim/network_modbus.h"

#include "sim/network_rules.h"

namespace dunax::sim {

void addModbusItems(Profile& p) {
    p.set("00", "54", "MODE", "RTU").onWrite = namedCode({"RTU", "ASCII"});
    p.setReadOnly("00", "55", "DATA", "8");
    p.set("00", "56", "PARITY", "EVEN").onWrite = namedCode({"NONE", "ODD", "EVEN"});
    p.setReadOnly("00", "57", "STOP", "1");
    addNetworkTimeout(p, "30");
}

}  // namespace dunax::sim
