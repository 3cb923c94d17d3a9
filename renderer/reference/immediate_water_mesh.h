// The water mesh drawn in immediate mode, as it is defined: one begin/end
// quad per cell and a colour call before each corner. The vertex arrays the
// renderer draws with must give the same pictures; tests compare the two
// and benchmarks time them against each other.
#pragma once

// rowsPerFlush > 0 flushes after every that many rows of quads, where the
// vertex arrays flush (GL results do not depend on flushes, but a
// rasteriser may keep unflushed pixels at a higher precision); 0 draws the
// mesh as the program drew it before, with no flush.
void drawWaterMeshImmediate(int rowsPerFlush);
