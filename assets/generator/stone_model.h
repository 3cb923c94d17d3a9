// The shipped model file: a low-poly stone in the MilkShape 3D binary
// format, version 4, with one group and one material whose texture name is
// empty (so the renderer opens no texture file for it).
#pragma once
#include <cstdint>
#include <vector>

std::vector<uint8_t> encodeStoneModel();
