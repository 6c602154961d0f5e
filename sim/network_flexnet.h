// The network-interface items of a simulated unit on HLS or FLEX NETWORK ("J6XN...", "J6YR...").
#pragma once

#include "sim/profile.h"

namespace dunax::sim {

// The network time-out (item 51, in 0.1 s, 0..32767) and, for the analog models that have one,
// the code at item 52: conversion rate of KW4 (codes 0..3: 80, 40, 20, 10 ms) and of BJ4 and
// QN4 (0..1: 250, 500 ms), averaging of KWH4 (0..5: none, 2, 4, 8, 16, 32 samples).
void addFlexnetItems(Profile& p);

}  // namespace dunax::sim
