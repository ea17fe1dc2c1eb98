#include "lobby/Counter.h"

namespace lobby {

Counters& AppCounters() {
    static Counters counters;
    return counters;
}

} // namespace lobby
