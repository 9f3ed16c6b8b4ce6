// The readings database a unit brings back from a route database, read by the rule of
// tests/support/simulated_readings.h: the readings inputs of scripts/speed.sh.
// Usage: speed_readings ROUTE.pdb READINGS.pdb
#include <cstdio>
#include <exception>

#include "support/simulated_readings.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: speed_readings ROUTE.pdb READINGS.pdb\n");
        return 2;
    }
    try {
        zav::test::SimulateReadings(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "speed_readings: %s\n", e.what());
        return 1;
    }
    return 0;
}
