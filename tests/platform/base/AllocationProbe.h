#pragma once
// Records the largest single allocation made while armed, to show that reading a damaged file
// never asks for memory its size does not justify. Replaces the global operator new of the
// test program; unarmed it only forwards to malloc.

#include <cstddef>

namespace allocation_probe {

void Arm();
// Disarms and returns the largest request seen since Arm.
std::size_t Disarm();

}  // namespace allocation_probe
